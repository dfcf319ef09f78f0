#pragma once

#include <QObject>

// While it lives, the user's input to any window (mouse, keys, wheel,
// touch, drops, the window manager's close) is thrown away rather than held
// back: a click made during a recording must not act once the recording
// ends. Painting, timers and queued calls go on as usual.
class InputDiscarder : public QObject {
public:
  InputDiscarder();
  ~InputDiscarder() override;

  InputDiscarder(const InputDiscarder&) = delete;
  InputDiscarder& operator=(const InputDiscarder&) = delete;

  static bool IsUserInput(const QEvent& event);

protected:
  bool eventFilter(QObject* watched, QEvent* event) override;
};
