#include "core/scheme/block_labels.h"

#include <algorithm>
#include <cmath>

#include "core/text/number_text.h"

namespace tornel {
namespace {

constexpr int kDynamicDecimals = 4;
constexpr int kGeneratorDecimals = 2;

std::string Dyn(double value) { return FormatBlockNumber(value, kDynamicDecimals); }
std::string Gen(double value) { return FormatBlockNumber(value, kGeneratorDecimals); }

void SetLabels(TBlock& block) {
  const auto& p = block.Params;
  std::array<std::string, 2>& label = block.LabelLine;
  switch (block.Kind) {
    case kKindIntegr:
      label = {"1", Dyn(p[0]) + "p"};
      break;
    case kKindAperiod:
      label = {Dyn(p[0]), "1 + " + Dyn(p[1]) + "p"};
      break;
    case kKindPIReg:
      label = {"1 + " + Dyn(p[0] * p[1]) + "p", Dyn(p[1]) + "p"};
      break;
    case kKindProporc:
      label = {Dyn(p[0]), ""};
      break;
    case kKindLine:
      label = {"K = " + Gen(p[0]), "T = " + Gen(p[1])};
      break;
    default:
      if (KindInfo(block.Kind).Group == kGroupGenerator) {
        label = {"Um = " + Gen(p[0]), "T = " + Gen(p[1])};
      }
      break;
  }
}

}  // namespace

std::string FormatBlockNumber(double value, int decimals) {
  const char separator = SystemDecimalSeparator();
  if (std::isfinite(value) && std::fabs(value) >= 1e10) return FormatGeneral(value, separator);
  return FormatFixed(value, decimals, separator);
}

void UpdateLabels(TBlock& block, const LabelContext& context) {
  const BlockKindInfo& info = KindInfo(block.Kind);
  const TextMeasure& measure = context.Measure;
  auto widest = [&] {
    return std::max(measure.TextWidth(block.LabelLine[0]), measure.TextWidth(block.LabelLine[1]));
  };
  switch (info.Size) {
    case SizeRule::Fixed:
      return;
    case SizeRule::Dynamic:
      SetLabels(block);
      block.Width = widest() + 30;
      break;
    case SizeRule::Generator:
      SetLabels(block);
      block.Width = widest() + 50;
      break;
    case SizeRule::Device: {
      const int channel = std::clamp(block.Channel, 0, kAcpChannels - 1);
      const int slot = block.Kind == kKindCap ? kCapSlotBase + channel : channel;
      block.LabelLine = {context.Table.ChanName[slot], ""};
      block.Width = measure.TextWidth(block.LabelLine[0]) + 30;
      break;
    }
  }
  block.PlacePorts();
}

}  // namespace tornel
