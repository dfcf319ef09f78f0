#pragma once

#include <string>

#include "core/config/channel_table.h"
#include "core/scheme/block.h"
#include "core/scheme/text_measure.h"

namespace tornel {

// What labels depend on besides the block: the font's measure and the channel
// names of the device blocks. The decimal sign is the system's, read at each
// update.
struct LabelContext {
  const TextMeasure& Measure;
  const ChannelTable& Table;
};

// A parameter as blocks show it: fixed-point with `decimals` digits and the
// system's separator; past ten digits before the point, the general form.
std::string FormatBlockNumber(double value, int decimals);

// Rebuilds LabelLine from the parameters (or the device block's channel
// name), sizes the block to fit its labels and places its ports.
void UpdateLabels(TBlock& block, const LabelContext& context);

}  // namespace tornel
