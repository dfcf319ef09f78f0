#pragma once

#include <array>
#include <cstdint>

#include "core/device/device.h"
#include "core/device/tick_clock.h"

namespace tornel {

inline constexpr uint32_t kMeasurementMs = 1000;

// What a timed average reads: the channels (bit i = ADC input i), which of
// them are averaged as a root mean square, and the zero code added to each
// raw read first (16-bit wrapping sum, as samples are stored).
struct MeasurementRequest {
  uint16_t Channels = 0;
  uint16_t RmsMask = 0;
  std::array<int16_t, 16> Zero{};
};

// Reads the requested channels in ascending order, pass after pass, for
// 1000 ms of `clock` (at least one pass; the tick difference is unsigned, so
// a wrap of the counter does no harm). Each result is trunc(sum / count), or
// trunc(sqrt(sum of squares / count)) for an RMS channel, truncated toward
// zero; channels not requested give 0. Priorities are the caller's.
std::array<int16_t, 16> MeasureOneSecond(Device& device, TickClock& clock,
                                         const MeasurementRequest& request);

}  // namespace tornel
