#pragma once

#include <cstdint>
#include <functional>

#include "core/config/channel_table.h"
#include "core/device/device.h"
#include "core/device/tick_clock.h"

namespace tornel {

// A pass of a ramp that comes later than this after the pass before was
// held up (a window opened from `step`, a point measured meanwhile): only this
// much of the gap moves the level, so the ramp goes on from the level last
// sent instead of jumping toward the target in one write.
inline constexpr uint32_t kMaxRampPassGapMs = 50;

// The automatic run's level change: DAC `dac` goes from level `from` to
// `target` (codes relative to its zero code) at the Tzi rate, writing the
// output on every pass. After each write `step(level)` runs, which is where
// the window shows the level and lets pending events run. Returns once the
// output is at `target`.
void RampDacLevel(Device& device, const ChannelTable& table, TickClock& clock, int dac,
                  int16_t from, int16_t target, const std::function<void(int16_t level)>& step);

}  // namespace tornel
