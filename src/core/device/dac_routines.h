#pragma once

#include <cstdint>
#include <span>

#include "core/config/channel_table.h"
#include "core/device/busy_cursor.h"
#include "core/device/device.h"
#include "core/device/tick_clock.h"

namespace tornel {

// Puts every DAC in use at its zero code.
void SetCapZero(Device& device, const ChannelTable& table);

// Brings the DACs in use back to their zero codes along a ramp and returns
// when every output is there. `levels` are the signed values the outputs hold
// now, one per DAC in use (missing entries count as 0). A level equal to the
// channel's RealBase returns in Tzi seconds; Tzi 0 drops every level at the
// first tick. The loop writes every DAC in use on every pass and does not
// pause. `cursor` is shown for the duration; pass nullptr from the scan
// thread, which has already shown it through the GUI thread.
void RampCapToZero(Device& device, const ChannelTable& table, TickClock& clock,
                   std::span<const int16_t> levels, BusyCursor* cursor);

}  // namespace tornel
