#pragma once

#include "core/analysis/transient_analysis.h"
#include "core/plot/canvas.h"
#include "core/plot/plot_geometry.h"
#include "core/plot/plot_page.h"
#include "core/records/graph_record.h"

namespace tornel {

// The labels of the marks, in drawing order.
inline constexpr const char* kMarkT10 = "10 %";
inline constexpr const char* kMarkT90 = "90 %";
inline constexpr const char* kMarkPeak = "пик";
inline constexpr const char* kMarkSettled = "уст.";

// An analysis over the time plot of `record` (FrameCount current) in the
// plot rectangle `rect`: for every channel with a step that is still shown,
// in its colour (black on a printer), the fitted model as a dotted curve
// across the visible time range, and a cross with a label where n reaches
// 0.1 and 0.9, at the peak and where the record settles. Times and values
// are placed by the plot's own scales; nothing is drawn without a time
// plot. The caller clips to the inner rectangle.
void DrawTransientMarks(const TGraphRecord& record, Canvas& canvas, const PlotRect& rect,
                        const PlotMargins& margins, const TransientAnalysis& analysis);

// The same on a page or picture laid out by DrawPlot, clipped to the plot.
void DrawTransientMarksOnPage(const TGraphRecord& record, Canvas& canvas,
                              const PlotMargins& margins, const PageAreas& areas,
                              const TransientAnalysis& analysis);

}  // namespace tornel
