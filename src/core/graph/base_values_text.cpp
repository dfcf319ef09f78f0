#include "core/graph/base_values_text.h"

#include "core/text/number_text.h"

namespace tornel {

std::string BaseValuesText(const TGraphRecord& record, char separator) {
  const MaskPair mask = record.DepChannelMask(Axis::X) | record.DepChannelMask(Axis::Y);
  std::string text = "Базовые величины\n";
  bool first = true;
  for (int slot = 0; slot < kChannelSlots; ++slot) {
    const bool dac = slot >= kCapSlotBase;
    const int bit = dac ? slot - kCapSlotBase : slot;
    if (((mask[dac ? 1 : 0] >> bit) & 1) == 0) continue;
    if (!first) text += "; ";
    first = false;
    text += record.ChanName[slot] + " = " + FormatFixed(record.RealBase[slot], 2, separator);
    if (!record.ChanUnit[slot].empty()) text += " " + record.ChanUnit[slot];
  }
  return text;
}

}  // namespace tornel
