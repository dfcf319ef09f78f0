#pragma once

#include <string>

#include "core/plot/canvas.h"
#include "core/plot/envelope_pass.h"
#include "core/plot/plot_geometry.h"
#include "core/records/graph_record.h"

namespace tornel {

// The curves of the record and then those of every comparison slot that is
// on and has a copy, in the record's colours and ranges. A sample file that
// cannot be opened gives no curves for it; the record is not changed. The
// caller clips to the inner rectangle, and shows the busy cursor for long
// records: the engine knows nothing of windows.
// Long time ranges are drawn per pixel column from the record's summaries
// (see SummaryCache), or straight from the files when there are none.
void DrawCurves(const TGraphRecord& record, Canvas& canvas, const PlotMargins& margins,
                const PlotRect& rect, TimeCurveMode mode = TimeCurveMode::Auto);

// The shown channels against time, or the enabled dependencies, read from
// sampleFile as frames of the record's channels with values of type Sample
// (int16_t codes of graph windows, doubles of the scheme's graph block).
// No curves are drawn for Duration <= 0, for YMax = YMin, or (dependencies)
// for XMax = XMin.
template <typename Sample>
void DrawTimeCurves(const TGraphRecord& record, Canvas& canvas, const PlotMargins& margins,
                    const PlotRect& rect, const std::string& sampleFile,
                    TimeCurveMode mode = TimeCurveMode::Auto);
template <typename Sample>
void DrawDepCurves(const TGraphRecord& record, Canvas& canvas, const PlotMargins& margins,
                   const PlotRect& rect, const std::string& sampleFile);

extern template void DrawTimeCurves<int16_t>(const TGraphRecord&, Canvas&, const PlotMargins&,
                                             const PlotRect&, const std::string&, TimeCurveMode);
extern template void DrawTimeCurves<double>(const TGraphRecord&, Canvas&, const PlotMargins&,
                                            const PlotRect&, const std::string&, TimeCurveMode);
extern template void DrawDepCurves<int16_t>(const TGraphRecord&, Canvas&, const PlotMargins&,
                                            const PlotRect&, const std::string&);
extern template void DrawDepCurves<double>(const TGraphRecord&, Canvas&, const PlotMargins&,
                                           const PlotRect&, const std::string&);

}  // namespace tornel
