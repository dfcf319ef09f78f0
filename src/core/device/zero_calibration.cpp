#include "core/device/zero_calibration.h"

#include "core/config/scan_priority.h"
#include "core/device/one_second_read.h"

namespace tornel {

void CalibrateZero(Device& device, ChannelTable& table, TickClock& clock, PriorityControl& priority,
                   const std::function<void(int channelsDone)>& progress) {
  ScanPriorityGuard scanPriorities(table, priority);
  for (int ch = 0; ch < kAcpChannels; ++ch) {
    table.Offset[ch] = ReadZeroCode(device, clock, static_cast<int16_t>(ch));
    if (progress) progress(ch + 1);
  }
  table.SaveConfig();
}

void ResetZero(ChannelTable& table) {
  for (int ch = 0; ch < kAcpChannels; ++ch) table.Offset[ch] = 0;
  table.SaveConfig();
}

}  // namespace tornel
