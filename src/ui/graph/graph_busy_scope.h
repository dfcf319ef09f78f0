#pragma once

#include "ui/widgets/qt_busy_cursor.h"

// The hourglass for the lifetime of the object: long drawing and the
// autorange of the graph window.
class GraphBusyScope {
public:
  GraphBusyScope() { cursor_.Show(); }
  ~GraphBusyScope() { cursor_.Restore(); }
  GraphBusyScope(const GraphBusyScope&) = delete;
  GraphBusyScope& operator=(const GraphBusyScope&) = delete;

private:
  QtBusyCursor cursor_;
};
