#pragma once

#include "core/plot/canvas.h"
#include "core/plot/plot_geometry.h"
#include "core/records/graph_record.h"

namespace tornel {

struct AreaSize {
  int Width = 0;
  int Height = 0;
  bool Empty() const { return Width <= 0 || Height <= 0; }
  bool operator==(const AreaSize&) const = default;
};

// A page: the plot with the legend to its right, the base values below the
// plot and the caption below those, all from the origin (px, py).
struct PageLayout {
  int px = 0;
  int py = 0;
  AreaSize caption;
  AreaSize base;
  AreaSize plot;
  AreaSize legend;
};

struct PageAreas {
  PlotRect plot;
  PlotRect base;
  PlotRect legend;
  PlotRect caption;
};

PageAreas PlaceAreas(const PageLayout& layout);

// The plot as the graph window paints it: RecountRecord, the grid, ticks,
// zero lines, labels and titles, then the curves clipped to the inner
// rectangle.
void DrawPlotArea(TGraphRecord& record, Canvas& canvas, const PlotMargins& margins,
                  const PlotRect& rect);

// The whole plot on a page in one call: the plot area and the legend at the
// top-left corner of its area. An area of zero size is left out, so the
// scheme's graph block passes zero for what it does not have. The caller
// writes the base values and the caption into the areas returned.
PageAreas DrawPlot(TGraphRecord& record, Canvas& canvas, const PlotMargins& margins,
                   const PageLayout& layout);

}  // namespace tornel
