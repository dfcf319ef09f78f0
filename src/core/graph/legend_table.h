#pragma once

#include <string_view>

#include "core/plot/canvas.h"
#include "core/records/graph_record.h"

namespace tornel {

// A table on a page or picture under the legend, as the cursors' readout
// goes: `text` is lines of tab-separated cells, drawn as they stand (a
// spectrum's harmonics, one row each), set in half a line as the legend's
// lines are, with as much room again at the right.
TextSize LegendTableExtent(Canvas& canvas, std::string_view text);
void DrawLegendTable(const TGraphRecord& record, Canvas& canvas, const PlotRect& legendArea,
                     std::string_view text);

}  // namespace tornel
