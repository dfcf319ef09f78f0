#include "core/device/one_second_read.h"

#include <algorithm>

#include "core/config/scan_priority.h"
#include "core/device/one_second_measurement.h"

namespace tornel {

int16_t ReadMeanCode(Device& device, TickClock& clock, int16_t channel, int16_t offset, bool rms) {
  if (channel < 0 || channel >= 16) return 0;
  MeasurementRequest request;
  request.Channels = static_cast<uint16_t>(1u << channel);
  request.RmsMask = rms ? request.Channels : 0;
  request.Zero[static_cast<std::size_t>(channel)] = offset;
  return MeasureOneSecond(device, clock, request)[static_cast<std::size_t>(channel)];
}

int16_t ReadZeroCode(Device& device, TickClock& clock, int16_t channel) {
  int mean = ReadMeanCode(device, clock, channel, 0, false);
  // Every read at -32768 would negate to one past int16.
  return static_cast<int16_t>(std::min(-mean, 32767));
}

int16_t MeasureMeanCode(const MeasurementSetup& setup, int16_t channel, int16_t offset, bool rms) {
  ScanPriorityGuard priorities(setup.table, setup.priority);
  return ReadMeanCode(setup.device, setup.clock, channel, offset, rms);
}

int16_t MeasureZeroCode(const MeasurementSetup& setup, int16_t channel) {
  ScanPriorityGuard priorities(setup.table, setup.priority);
  return ReadZeroCode(setup.device, setup.clock, channel);
}

}  // namespace tornel
