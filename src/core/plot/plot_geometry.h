#pragma once

#include <cstdint>

#include "core/plot/canvas.h"
#include "core/records/graph_record.h"

namespace tornel {

// Space between the plot rectangle and the inner rectangle, device units.
struct PlotMargins {
  int Left = 0;
  int Top = 0;
  int Right = 0;
  int Bottom = 0;
  bool operator==(const PlotMargins&) const = default;
};

// What the graph window uses on screen; printing scales it.
inline constexpr PlotMargins kScreenPlotMargins{60, 20, 20, 20};

// The geometry that every drawing step derives from the record, the margins
// and the plot rectangle, in integer arithmetic: a / b truncates toward zero.
struct PlotGeometry {
  PlotRect rect;
  PlotMargins margins;
  int x0 = 0, y0 = 0, x1 = 0, yb = 0;  // inner rectangle
  int W = 0, H = 0;
  int cy = 0;  // height of "1" in the canvas's font
  int divX = 1, divY = 1;
  bool timePlot = false;  // some channel is shown against time
  bool xyPlot = false;    // some dependency is enabled

  // x0 + i * W div DivX and y0 + i * H div DivY: grid lines, ticks, labels.
  int32_t DivisionX(int i) const;
  int32_t DivisionY(int i) const;
  // The middles of the divisions, computed in floating point and truncated.
  int32_t MidDivisionX(int i) const;
  int32_t MidDivisionY(int i) const;
};

PlotGeometry MakePlotGeometry(const TGraphRecord& record, Canvas& canvas,
                              const PlotMargins& margins, const PlotRect& rect);

// Where a dependency (X-Y) plot puts an abscissa value v (codes times the
// channel's factor): column = (v - centre) * scale + xc. `ok` is false for an
// empty or non-finite X range, where nothing is drawn.
struct AbscissaScale {
  double scale = 0, centre = 0, xc = 0;
  bool ok = false;
};
AbscissaScale DependencyAbscissa(const TGraphRecord& record, const PlotRect& rect,
                                 const PlotMargins& margins);

// Divisions outside 1..kMaxDivisions (a record changed in memory) are held
// to that range, so that no step divides by zero.
int32_t ClampDivisions(int32_t divisions);

}  // namespace tornel
