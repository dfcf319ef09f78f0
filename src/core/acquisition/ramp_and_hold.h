#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "core/acquisition/scan_request.h"
#include "core/config/channel_table.h"
#include "core/device/device.h"

namespace tornel {

// The reference signals of a recording in automatic mode: per driven DAC,
// zero until its delay has passed, then a straight ramp at the rate that
// rises by the channel's RealBase in RiseTime, held at the amplitude from
// the first evaluation that reaches or passes it. A RiseTime of 0 is a step.
class RampAndHold {
public:
  // The DACs of request.CapMask below `caps` with a non-zero amplitude are
  // driven; the rates come from the table's DAC Base and RealBase now.
  RampAndHold(Device& device, const ScanRequest& request, const ChannelTable& table, int caps);

  // Evaluates the signals at `elapsed` ms and writes to the device each DAC whose delay has
  // passed (strictly) and that has not yet reached its amplitude.
  void Drive(uint32_t elapsed) {
    if (rampingCount_ > 0) DriveRamping(elapsed);
  }

  // The level DAC `cap` was last commanded to, relative to its zero code.
  int16_t Level(int cap) const { return level_[static_cast<std::size_t>(cap)]; }
  // The levels of the DACs in use.
  std::span<const int16_t> Levels() const { return std::span(level_).first(caps_); }

private:
  void DriveRamping(uint32_t elapsed);

  Device& device_;
  std::size_t caps_;
  int rampingCount_ = 0;
  std::array<bool, kCapChannels> ramping_{};
  std::array<int64_t, kCapChannels> delayMs_{};
  std::array<double, kCapChannels> slope_{};
  std::array<int16_t, kCapChannels> amplitude_{};
  std::array<int16_t, kCapChannels> zero_{};
  std::array<int16_t, kCapChannels> level_{};
};

}  // namespace tornel
