#include "core/graph/legend_table.h"

#include "core/graph/cursor_readout.h"
#include "core/plot/text_table.h"

namespace tornel {
namespace {

// Half a legend line, as the legend's own lines are set in.
int Indent(Canvas& canvas) { return static_cast<int>(1.2 * canvas.TextExtent("1").cy) / 2; }

}  // namespace

TextSize LegendTableExtent(Canvas& canvas, std::string_view text) {
  const TextSize table = TextTable(canvas, ReadoutCells(text)).Extent();
  return {table.cx + 2 * Indent(canvas), table.cy};
}

void DrawLegendTable(const TGraphRecord& record, Canvas& canvas, const PlotRect& legendArea,
                     std::string_view text) {
  PlotRect area = BelowLegend(record, canvas, legendArea);
  area.Left += Indent(canvas);
  TextTable(canvas, ReadoutCells(text)).Draw(canvas, area);
}

}  // namespace tornel
