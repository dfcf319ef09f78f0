#pragma once

#include <QSize>
#include <QWidget>

// Forms were laid out for a smaller font than the application's; the design
// size is where a window starts, grown to what its contents need.
inline QSize DesignSize(const QWidget* window, QSize design) {
  return design.expandedTo(window->minimumSizeHint());
}
