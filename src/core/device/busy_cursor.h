#pragma once

namespace tornel {

// The UI's hourglass, handed to long device routines that run in the GUI
// thread. Core never touches the window system itself.
class BusyCursor {
public:
  virtual ~BusyCursor() = default;
  virtual void Show() = 0;
  virtual void Restore() = 0;
};

}  // namespace tornel
