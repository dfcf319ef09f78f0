#pragma once

#include "core/plot/canvas.h"

namespace tornel {

// Gives the canvas back the pen it had, also when drawing is left early.
class PenRestorer {
public:
  explicit PenRestorer(Canvas& canvas) : canvas_(canvas), pen_(canvas.GetPen()) {}
  ~PenRestorer() { canvas_.SetPen(pen_); }
  PenRestorer(const PenRestorer&) = delete;
  PenRestorer& operator=(const PenRestorer&) = delete;

private:
  Canvas& canvas_;
  Pen pen_;
};

}  // namespace tornel
