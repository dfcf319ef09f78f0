#pragma once

#include <QDialog>
#include <memory>

class InputDiscarder;
class QProgressBar;

// The small progress window of long commands: no title-bar buttons, above
// other windows, centred on the desktop. The caller creates it, sets the
// caption, range and position, shows it without making it modal, steps it
// once per unit of work and releases it. The user cannot close it: the work
// it shows cannot be interrupted. While it is shown, the user's input to any
// window is thrown away, so nothing acts in the middle of the work or after it.
class TProgressDlg : public QDialog {
  Q_OBJECT

public:
  explicit TProgressDlg(QWidget* parent = nullptr);
  ~TProgressDlg() override;

  void SetMax(int max);
  void SetPosition(int position);
  // One unit of work done; also lets the window repaint.
  void StepIt();
  int Position() const;
  int Max() const;
  QProgressBar* Bar() const { return bar_; }

protected:
  void showEvent(QShowEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void reject() override {}

private:
  QProgressBar* bar_;
  std::unique_ptr<InputDiscarder> discarder_;
};
