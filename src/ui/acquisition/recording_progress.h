#pragma once

#include <QElapsedTimer>
#include <QWidget>

class QLabel;
class QProgressBar;
class QTimer;

// How far a recording is: "Запись: 1,2 из 5,0 с" above a bar. Hidden until
// Start; the wait for the recording keeps painting, so it moves by itself.
class RecordingProgress : public QWidget {
  Q_OBJECT

public:
  explicit RecordingProgress(QWidget* parent = nullptr);

  void Start(double seconds);
  void Stop();

private:
  void Update();

  QLabel* label_ = nullptr;
  QProgressBar* bar_ = nullptr;
  QTimer* timer_ = nullptr;
  QElapsedTimer elapsed_;
  double seconds_ = 0.0;
};
