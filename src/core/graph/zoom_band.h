#pragma once

#include <cstdint>
#include <vector>

#include "core/plot/canvas.h"
#include "core/plot/plot_geometry.h"

namespace tornel {

// The inner rectangle of a plot: the plot rectangle less its margins.
PlotRect InnerPlotRect(const PlotRect& rect, const PlotMargins& margins);

// The rubber band of the graph window's mouse zoom, in the paint box's
// coordinates. It is either an X band (a strip of the full inner height
// between two x positions) or a Y band (full inner width between two y
// positions). The band is shown by inverting pixels, so each step hands back
// the strips to invert: inverting a strip twice erases it, and moving back
// toward the start inverts the part the band leaves.
class ZoomBand {
public:
  int32_t BandStartX = 0;
  int32_t BandStartY = 0;
  int32_t BandCurX = 0;
  int32_t BandCurY = 0;
  bool BandDragging = false;
  bool BandIsX = true;

  // The left button went down at p (clamped into the inner rectangle).
  void Press(Point p, const PlotRect& inner);
  // The mouse moved to p while the button is down; the strips to invert, in
  // order. Nothing while no band is being dragged.
  std::vector<PlotRect> Move(Point p, const PlotRect& inner);
  // The button went up: true when a band was being dragged (it ends here).
  bool Release();

  // Start and current coordinate along the band's axis.
  int32_t Start() const { return BandIsX ? BandStartX : BandStartY; }
  int32_t Current() const { return BandIsX ? BandCurX : BandCurY; }

private:
  static PlotRect XStrip(int32_t a, int32_t b, const PlotRect& inner);
  static PlotRect YStrip(int32_t a, int32_t b, const PlotRect& inner);
};

}  // namespace tornel
