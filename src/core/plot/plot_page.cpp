#include "core/plot/plot_page.h"

#include "core/plot/plot_axes.h"
#include "core/plot/plot_curves.h"
#include "core/plot/plot_legend.h"

namespace tornel {
namespace {

PlotRect At(int x, int y, AreaSize size) { return {x, y, x + size.Width, y + size.Height}; }

void DrawFrame(const TGraphRecord& record, Canvas& canvas, const PlotMargins& margins,
               const PlotRect& rect) {
  DrawGrid(record, canvas, margins, rect);
  DrawTicks(record, canvas, margins, rect);
  DrawZeroLines(record, canvas, margins, rect);
  DrawTickLabels(record, canvas, margins, rect);
  DrawAxisTitles(record, canvas, margins, rect);
}

void DrawClippedCurves(const TGraphRecord& record, Canvas& canvas, const PlotMargins& margins,
                       const PlotRect& rect) {
  const PlotRect inner{rect.Left + margins.Left, rect.Top + margins.Top, rect.Right - margins.Right,
                       rect.Bottom - margins.Bottom};
  canvas.SetClipRect(inner);
  DrawCurves(record, canvas, margins, rect);
  canvas.ClearClip();
}

}  // namespace

PageAreas PlaceAreas(const PageLayout& layout) {
  PageAreas a;
  a.plot = At(layout.px, layout.py, layout.plot);
  a.base = At(layout.px, layout.py + layout.plot.Height, layout.base);
  a.legend = At(layout.px + layout.plot.Width, layout.py, layout.legend);
  a.caption = At(layout.px, layout.py + layout.plot.Height + layout.base.Height, layout.caption);
  return a;
}

void DrawPlotArea(TGraphRecord& record, Canvas& canvas, const PlotMargins& margins,
                  const PlotRect& rect) {
  record.RecountRecord();
  DrawFrame(record, canvas, margins, rect);
  DrawClippedCurves(record, canvas, margins, rect);
}

PageAreas DrawPlot(TGraphRecord& record, Canvas& canvas, const PlotMargins& margins,
                   const PageLayout& layout) {
  const PageAreas areas = PlaceAreas(layout);
  record.RecountRecord();
  const bool plot = !layout.plot.Empty();
  if (plot) DrawFrame(record, canvas, margins, areas.plot);
  if (!layout.legend.Empty()) DrawLegend(record, canvas, areas.legend.Left, areas.legend.Top);
  if (plot) DrawClippedCurves(record, canvas, margins, areas.plot);
  return areas;
}

}  // namespace tornel
