#pragma once

#include <cstdint>

#include "core/config/channel_table.h"
#include "core/config/priority_control.h"
#include "core/device/device.h"
#include "core/device/tick_clock.h"

namespace tornel {

// What a timed measurement runs over: the device it reads, the clock that
// times it, and the priorities it raises (the table's scan values while it
// reads, its application values afterwards). Nothing here is owned.
struct MeasurementSetup {
  Device& device;
  TickClock& clock;
  PriorityControl& priority;
  const ChannelTable& table;
};

// One ADC channel through MeasureOneSecond. The corrected code over one second
// of `clock`: each read
// is raw + `offset` in 16 bits; the result is the mean, or the root mean
// square when `rms`, truncated toward zero. Reads at least once. No priorities.
int16_t ReadMeanCode(Device& device, TickClock& clock, int16_t channel, int16_t offset, bool rms);

// The zero code of one ADC channel: the negated mean of its raw reads over
// one second of `clock`, truncated toward zero. Reads at least once. No
// priorities.
int16_t ReadZeroCode(Device& device, TickClock& clock, int16_t channel);

// The same two at the scan priorities, lowered again however the read ends.
int16_t MeasureMeanCode(const MeasurementSetup& setup, int16_t channel, int16_t offset, bool rms);
int16_t MeasureZeroCode(const MeasurementSetup& setup, int16_t channel);

}  // namespace tornel
