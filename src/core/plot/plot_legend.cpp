#include "core/plot/plot_legend.h"

#include <algorithm>
#include <bit>

#include "core/plot/display_color.h"

namespace tornel {
namespace {

int LineHeight(Canvas& canvas) { return static_cast<int>(1.2 * canvas.TextExtent("1").cy); }

}  // namespace

bool IsDrawableDependency(const TGraphRecord& record, const Dependency& dep) {
  if (dep.Enabled == 0) return false;
  const int channels = std::popcount(record.AcpMask) + std::popcount(record.CapMask);
  auto usable = [&](int32_t p) { return p >= 0 && p < channels && record.PositionToSlot(p) >= 0; };
  return usable(dep.XIndex) && usable(dep.YIndex);
}

std::vector<LegendLine> LegendLines(const TGraphRecord& record) {
  std::vector<LegendLine> lines;
  const MaskPair shown = record.RecordedMask() & record.ShowMask();
  for (int slot = 0; slot < kChannelSlots; ++slot) {
    const bool dac = slot >= kCapSlotBase;
    const uint16_t word = dac ? shown.Cap : shown.Acp;
    if ((word >> (dac ? slot - kCapSlotBase : slot)) & 1) {
      lines.push_back({record.ChanName[slot] + record.Titles.TimeCurve, record.ChanColor[slot]});
    }
  }
  for (int k = 0; k < kDependencyCount; ++k) {
    const Dependency& dep = record.Deps[k];
    if (!IsDrawableDependency(record, dep)) continue;
    lines.push_back({record.ChanName[record.PositionToSlot(dep.YIndex)] + "(" +
                         record.ChanName[record.PositionToSlot(dep.XIndex)] + ")",
                     record.DepColor[k]});
  }
  return lines;
}

void DrawLegend(const TGraphRecord& record, Canvas& canvas, int lx, int ly) {
  const int lh = LineHeight(canvas);
  int n = 1;
  for (const LegendLine& line : LegendLines(record)) {
    canvas.TextOut(lx + lh / 2, ly + n * lh, line.text, canvas.IsPrinter() ? kBlack : line.color);
    ++n;
  }
}

TextSize LegendExtent(const TGraphRecord& record, Canvas& canvas) {
  const int lh = LineHeight(canvas);
  const std::vector<LegendLine> lines = LegendLines(record);
  int width = 0;
  for (const LegendLine& line : lines) width = std::max(width, canvas.TextExtent(line.text).cx);
  // The lines start half a line in and one line down.
  return {width + lh, (static_cast<int>(lines.size()) + 2) * lh};
}

}  // namespace tornel
