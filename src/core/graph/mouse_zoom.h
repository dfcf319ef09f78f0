#pragma once

#include <optional>

#include "core/graph/auto_range.h"
#include "core/graph/time_range_repair.h"
#include "core/graph/zoom_band.h"
#include "core/records/graph_record.h"

namespace tornel {

// Range ends of a mouse zoom lie on multiples of 0.1: the lower end rounded
// down, the upper end rounded up. A value within rounding noise of a tenth
// counts as that tenth, so a band ending exactly on 0.7 gives 0.7.
double LowerTenth(double v);
double UpperTenth(double v);

// What a finished band does to one axis.
struct AxisZoom {
  enum class Step { Keep, Set, AutoRange };
  Step step = Step::Keep;
  AxisRange range;  // for Set
};

// Time zoom of an X band from s to c (x coordinates) over an inner rectangle
// starting at x0, W wide: a rightward band zooms to the tenths around it, cut
// to the record, a leftward band shows the whole record, no width changes
// nothing. Both ends come from the old range.
std::optional<TimeRange> ZoomTime(int s, int c, int x0, int W, TimeRange range, double duration);

// X zoom without a time plot: a rightward band zooms while the range is wider
// than 0.1; a leftward band asks for the autorange.
AxisZoom ZoomX(int s, int c, int x0, int W, AxisRange range);

// Y zoom of a Y band from s to c (y coordinates) over an inner rectangle
// starting at y0, H high: a downward band zooms while the range is wider than
// 0.1; an upward band asks for the autorange.
AxisZoom ZoomY(int s, int c, int y0, int H, AxisRange range);

// Applies a finished band to the record's ranges; the autorange reads the
// sample file. True when a range changed.
bool ApplyZoom(TGraphRecord& record, const ZoomBand& band, const PlotRect& inner);

// The two gestures as commands, for users who do not know them: an upward
// band (the autorange of Y) and a leftward band (the whole time range, or
// the autorange of X without a time plot). True when a range changed.
bool AutoScaleY(TGraphRecord& record);
bool ShowWholeGraph(TGraphRecord& record);

}  // namespace tornel
