#pragma once

#include "core/device/busy_cursor.h"

// The hourglass over the whole application while a DAC ramp runs in the GUI
// thread. Calls from any other thread are ignored: cursors belong to the GUI
// thread.
class QtBusyCursor final : public tornel::BusyCursor {
public:
  void Show() override;
  void Restore() override;

private:
  int shown_ = 0;
};
