#pragma once

#include <string>

#include "core/records/graph_record.h"

namespace tornel {

// The text under the plot: "Базовые величины", a line break, then on one line
// "<name> = <RealBase>[ <unit>]" for every channel that an axis plots
// (DepChannelMask of X and Y together), ADC slots first, separated by "; ".
// The base value has two decimals with `separator`.
std::string BaseValuesText(const TGraphRecord& record, char separator);

}  // namespace tornel
