#pragma once

#include "ui/widgets/qt_busy_cursor.h"

// The hourglass for the lifetime of the object: long drawing, autorange,
// one-second readings.
class BusyScope {
public:
  BusyScope() { cursor_.Show(); }
  ~BusyScope() { cursor_.Restore(); }
  BusyScope(const BusyScope&) = delete;
  BusyScope& operator=(const BusyScope&) = delete;

private:
  QtBusyCursor cursor_;
};
