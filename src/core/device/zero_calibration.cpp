#include "core/device/zero_calibration.h"

#include <algorithm>

#include "core/config/scan_priority.h"
#include "core/device/one_second_measurement.h"

namespace tornel {

void CalibrateZero(Device& device, ChannelTable& table, TickClock& clock, PriorityControl& priority,
                   const std::function<void(int channelsDone)>& progress) {
  ScanPriorityGuard scanPriorities(table, priority);
  for (int ch = 0; ch < kAcpChannels; ++ch) {
    MeasurementRequest request;
    request.Channels = static_cast<uint16_t>(1u << ch);
    int mean = MeasureOneSecond(device, clock, request)[ch];
    // Every read at -32768 would negate to one past int16.
    table.Offset[ch] = static_cast<int16_t>(std::min(-mean, 32767));
    if (progress) progress(ch + 1);
  }
  table.SaveConfig();
}

void ResetZero(ChannelTable& table) {
  for (int ch = 0; ch < kAcpChannels; ++ch) table.Offset[ch] = 0;
  table.SaveConfig();
}

}  // namespace tornel
