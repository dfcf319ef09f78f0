#include "core/acquisition/ramp_and_hold.h"

#include <algorithm>
#include <cmath>

#include "core/device/asmcode.h"

namespace tornel {
namespace {

// Codes per millisecond of a step: any amplitude within the first millisecond.
constexpr double kStepSlope = 1024.0;
// Far beyond any recording, yet exact in a double and safe to subtract.
constexpr double kMaxDelayMs = 1e15;

int64_t DelayToMs(double seconds) {
  double ms = std::trunc(seconds * 1000.0);
  if (std::isnan(ms)) return 0;
  return static_cast<int64_t>(std::clamp(ms, -kMaxDelayMs, kMaxDelayMs));
}

}  // namespace

RampAndHold::RampAndHold(Device& device, const ScanRequest& request, const ChannelTable& table,
                         int caps)
    : device_(device), caps_(static_cast<std::size_t>(std::clamp(caps, 0, kCapChannels))) {
  for (std::size_t i = 0; i < caps_; ++i) {
    int16_t amplitude = request.Amplitude[i];
    if ((request.CapMask >> i & 1) == 0 || amplitude == 0) continue;
    ramping_[i] = true;
    ++rampingCount_;
    amplitude_[i] = amplitude;
    zero_[i] = request.CapZero[i];
    delayMs_[i] = DelayToMs(request.Delay[i]);
    double riseTime = request.RiseTime[i];
    if (riseTime != 0.0) {
      std::size_t slot = kCapSlotBase + i;
      slope_[i] = (amplitude > 0 ? 1.0 : -1.0) * (table.RealBase[slot] / table.Base[slot]) *
                  kFullScaleCode / (riseTime * 1000.0);
    } else {
      slope_[i] = kStepSlope;
    }
  }
}

void RampAndHold::DriveRamping(uint32_t elapsed) {
  for (std::size_t i = 0; i < caps_; ++i) {
    if (!ramping_[i] || static_cast<int64_t>(elapsed) <= delayMs_[i]) continue;
    double ramp = static_cast<double>(static_cast<int64_t>(elapsed) - delayMs_[i]) * slope_[i];
    // Compared before it is an integer: a step's or a broken rate's ramp
    // (infinite, undefined) lies far outside int16 and simply holds.
    bool reached = !(std::abs(ramp) < std::abs(static_cast<double>(amplitude_[i])));
    int16_t level = reached ? amplitude_[i] : static_cast<int16_t>(ramp);
    // A write the card refused leaves the level it had, so that the ramp back
    // to zero starts from what the output really holds.
    device_.WriteChecked(static_cast<int16_t>(i), ClampCapCode(zero_[i] + level));
    level_[i] = level;
    if (reached) {
      ramping_[i] = false;
      --rampingCount_;
    }
  }
}

}  // namespace tornel
