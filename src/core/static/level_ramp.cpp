#include "core/static/level_ramp.h"

#include <algorithm>
#include <cmath>

#include "core/device/asmcode.h"
#include "core/device/cap_ramp_rate.h"

namespace tornel {

void RampDacLevel(Device& device, const ChannelTable& table, TickClock& clock, int dac,
                  int16_t from, int16_t target, const std::function<void(int16_t level)>& step) {
  double rate = CapRampRate(table, dac);
  if (target < from) rate = -rate;
  int16_t zero = table.Offset[kCapSlotBase + dac];
  uint32_t last = clock.Now();
  double elapsed = 0;  // ms of ramping, stalls cut short
  int16_t level = from;
  do {
    uint32_t now = clock.Now();
    elapsed += std::min(TicksSince(last, now), kMaxRampPassGapMs);
    last = now;
    // In double until it is known not to pass the target: at a fast rate the
    // level lies far outside int16.
    double value = std::trunc(elapsed * rate + from);
    bool passed = target >= from ? value >= target : value <= target;
    level = passed ? target : static_cast<int16_t>(value);
    device.Write(static_cast<int16_t>(dac), ClampCapCode(zero + level));
    if (step) step(level);
  } while (level != target);
}

}  // namespace tornel
