#pragma once

#include <cstdint>
#include <optional>

#include "core/graph/cursor_pair.h"
#include "core/plot/canvas.h"
#include "core/plot/plot_geometry.h"
#include "core/records/graph_record.h"

namespace tornel {

// Where the measuring cursors stand in a plot of a record whose FrameCount
// is current. Against time a cursor stands at its frame's column. In a
// dependency (X-Y) plot, one without channels shown against time, it stands
// at its frame's value of the abscissa of the first enabled dependency, and
// a column or a value picks the visible frame whose abscissa is nearest to
// it, the earlier one of equal distance.

// The recorded position of that abscissa, or -1 when the cursors run
// against time.
int CursorAbscissaPosition(const TGraphRecord& record);

// Abscissa value of `frame` in codes times Base / RealBase, as the plot
// scales it; empty when the frame cannot be read.
std::optional<double> AbscissaAt(const TGraphRecord& record, int position, int64_t frame);

// The visible frame whose abscissa lies nearest to `value` (the units of
// AbscissaAt); -1 when no visible frame can be read.
int64_t NearestAbscissaFrame(const TGraphRecord& record, int position, double value,
                             const VisibleFrames& visible);

// Column of a cursor on `frame` in the plot rectangle `rect` with `margins`.
int CursorColumn(const TGraphRecord& record, int64_t frame, const PlotRect& rect,
                 const PlotMargins& margins);
// The frame a cursor dragged to column x stands on.
int64_t CursorFrameAtColumn(const TGraphRecord& record, int x, const PlotRect& rect,
                            const PlotMargins& margins);
// Both cursors at one third and two thirds of the visible range (of the
// time range, or of XMin .. XMax).
void PlaceCursors(CursorPair& cursors, const TGraphRecord& record);

}  // namespace tornel
