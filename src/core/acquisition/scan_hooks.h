#pragma once

namespace tornel {

// The steps of a recording that belong to the user interface and run in its
// thread while the recording thread waits for them.
class ScanHooks {
public:
  virtual ~ScanHooks() = default;
  // Remember the screen cursor and show the hourglass.
  virtual void SaveCursorShowBusy() = 0;
  // The owner's start button, once the scans are taken.
  virtual void DisableStartButton() = 0;
  // Put back the cursor remembered first; called however the run ends.
  virtual void RestoreCursor() = 0;
};

}  // namespace tornel
