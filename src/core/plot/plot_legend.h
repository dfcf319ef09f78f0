#pragma once

#include <string>
#include <vector>

#include "core/plot/canvas.h"
#include "core/records/graph_record.h"

namespace tornel {

struct LegendLine {
  std::string text;
  Color color = 0;  // the curve's colour as stored in the record
  bool operator==(const LegendLine&) const = default;
};

// One line per channel that is both recorded and shown ("<name>(t)", ADC
// slots first), then one per usable enabled dependency
// ("<ordinate name>(<abscissa name>)").
std::vector<LegendLine> LegendLines(const TGraphRecord& record);

// The legend with the top-left corner of its area at (lx, ly); black on a
// printer.
void DrawLegend(const TGraphRecord& record, Canvas& canvas, int lx, int ly);

// Width and height the legend needs in the canvas's font.
TextSize LegendExtent(const TGraphRecord& record, Canvas& canvas);

// An enabled dependency whose positions both name recorded channels; any
// other is neither drawn nor listed.
bool IsDrawableDependency(const TGraphRecord& record, const Dependency& dep);

}  // namespace tornel
