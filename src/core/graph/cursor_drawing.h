#pragma once

#include <string_view>

#include "core/graph/cursor_pair.h"
#include "core/plot/canvas.h"
#include "core/plot/plot_geometry.h"
#include "core/plot/plot_page.h"
#include "core/records/graph_record.h"

namespace tornel {

// The two cursors across the inner rectangle of the plot rectangle `rect`,
// each with its number at the top: the first solid, the second dotted, the
// active one red and the other blue (black on a printer). A cursor outside
// the inner rectangle is not drawn.
void DrawCursorLines(const TGraphRecord& record, Canvas& canvas, const PlotRect& rect,
                     const PlotMargins& margins, const CursorPair& cursors);

// The readout text (CursorReadoutText's lines of tab-separated cells) as a
// table of left-aligned columns from the top-left corner of `area`, cut off
// at its edges. Turned to fit beside a plot: the times one to a row, then a
// row per quantity and a column per channel.
void DrawCursorReadout(Canvas& canvas, const PlotRect& area, std::string_view text);
TextSize CursorReadoutExtent(Canvas& canvas, std::string_view text);

// A printed page or a picture with the cursors shown: the lines over the
// plot and the readout in the legend's area, under the legend.
void DrawCursorsOnPage(const TGraphRecord& record, Canvas& canvas, const PlotMargins& margins,
                       const PageAreas& areas, const CursorPair& cursors, std::string_view readout);

}  // namespace tornel
