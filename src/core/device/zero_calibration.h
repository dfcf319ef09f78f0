#pragma once

#include <functional>

#include "core/config/channel_table.h"
#include "core/config/priority_control.h"
#include "core/device/device.h"
#include "core/device/tick_clock.h"

namespace tornel {

// Sets every ADC zero code from the inputs as they read now (the bench's
// inputs at zero): each channel is read for 1000 ms of `clock` at the scan
// priorities and its Offset becomes the negated, truncated mean. Calls
// progress(channelsDone) after each channel, then saves the table; the
// priorities are lowered again however that ends. A UserError from the save
// passes through, with the new offsets kept in memory.
void CalibrateZero(Device& device, ChannelTable& table, TickClock& clock, PriorityControl& priority,
                   const std::function<void(int channelsDone)>& progress);

// Offset[0..15] = 0, then saves the table.
void ResetZero(ChannelTable& table);

}  // namespace tornel
