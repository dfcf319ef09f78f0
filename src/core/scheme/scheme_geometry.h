#pragma once

#include "core/plot/canvas.h"

namespace tornel {

// Points and rectangles of a scheme are the canvas's own, so that the editor
// draws what the model computes without converting: pixels of the drawing
// area (or, for ports, of a block).
inline bool Intersects(const PlotRect& a, const PlotRect& b) {
  return a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom;
}

}  // namespace tornel
