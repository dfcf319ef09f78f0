#include "core/graph/legend_table.h"

#include "core/graph/cursor_readout.h"
#include "core/plot/text_table.h"

namespace tornel {

TextSize LegendTableExtent(Canvas& canvas, std::string_view text) {
  return TextTable(canvas, ReadoutCells(text)).Extent();
}

void DrawLegendTable(const TGraphRecord& record, Canvas& canvas, const PlotRect& legendArea,
                     std::string_view text) {
  TextTable(canvas, ReadoutCells(text)).Draw(canvas, BelowLegend(record, canvas, legendArea));
}

}  // namespace tornel
