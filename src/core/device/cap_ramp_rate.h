#pragma once

#include "core/config/channel_table.h"

namespace tornel {

// How fast a DAC's level may change, in codes per millisecond: the level of
// the channel's RealBase in Tzi seconds. With Tzi 0 or less, and when the
// table gives no usable rate (Base or RealBase 0), 1024: any change is done
// at the first tick.
double CapRampRate(const ChannelTable& table, int cap);

}  // namespace tornel
