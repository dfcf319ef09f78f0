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

// Shows a cursor (none when null) for its own lifetime.
class BusyCursorScope {
public:
  explicit BusyCursorScope(BusyCursor* cursor) : cursor_(cursor) {
    if (cursor_) cursor_->Show();
  }
  ~BusyCursorScope() {
    if (cursor_) cursor_->Restore();
  }
  BusyCursorScope(const BusyCursorScope&) = delete;
  BusyCursorScope& operator=(const BusyCursorScope&) = delete;

private:
  BusyCursor* cursor_;
};

}  // namespace tornel
