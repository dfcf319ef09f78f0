#pragma once

#include "core/plot/canvas.h"
#include "core/plot/plot_geometry.h"
#include "core/records/graph_record.h"

namespace tornel {

// The parts of a plot around its curves, each on the plot rectangle with
// the given margins. Each leaves the canvas's pen as it found it.

// Dotted grid inside the inner rectangle and the frame around it.
void DrawGrid(const TGraphRecord& record, Canvas& canvas, const PlotMargins& margins,
              const PlotRect& rect);
// Bottom and left axes with major and minor ticks; the top axis too when the
// plot shows curves against time and dependencies together.
void DrawTicks(const TGraphRecord& record, Canvas& canvas, const PlotMargins& margins,
               const PlotRect& rect);
void DrawZeroLines(const TGraphRecord& record, Canvas& canvas, const PlotMargins& margins,
                   const PlotRect& rect);
void DrawTickLabels(const TGraphRecord& record, Canvas& canvas, const PlotMargins& margins,
                    const PlotRect& rect);
void DrawAxisTitles(const TGraphRecord& record, Canvas& canvas, const PlotMargins& margins,
                    const PlotRect& rect);

}  // namespace tornel
