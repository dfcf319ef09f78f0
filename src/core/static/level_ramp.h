#pragma once

#include <cstdint>
#include <functional>

#include "core/config/channel_table.h"
#include "core/device/device.h"
#include "core/device/tick_clock.h"

namespace tornel {

// The automatic run's level change: DAC `dac` goes from level `from` to
// `target` (codes relative to its zero code) at the Tzi rate, writing the
// output on every pass. After each write `step(level)` runs, which is where
// the window shows the level and lets pending events run. Returns once the
// output is at `target`.
void RampDacLevel(Device& device, const ChannelTable& table, TickClock& clock, int dac,
                  int16_t from, int16_t target, const std::function<void(int16_t level)>& step);

}  // namespace tornel
