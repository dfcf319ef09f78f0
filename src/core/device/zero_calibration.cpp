#include "core/device/zero_calibration.h"

#include <cmath>
#include <limits>

#include "core/config/scan_priority.h"
#include "core/device/asmcode.h"

namespace tornel {
namespace {

constexpr uint32_t kCalibrationMs = 1000;

int16_t ZeroCode(long double sum, long double count) {
  long double offset = std::trunc(-sum / count);
  // Every read at -32768 would negate to one past int16.
  if (offset > std::numeric_limits<int16_t>::max()) return std::numeric_limits<int16_t>::max();
  return static_cast<int16_t>(offset);
}

}  // namespace

void CalibrateZero(Device& device, ChannelTable& table, TickClock& clock,
                   PriorityControl& priority, const std::function<void(int channelsDone)>& progress) {
  ScanPriorityGuard scanPriorities(table, priority);
  for (int ch = 0; ch < kAcpChannels; ++ch) {
    long double sum = 0;
    long double count = 0;
    uint32_t t0 = clock.Now();
    do {
      sum += AcpRead(device, static_cast<int16_t>(ch));
      count += 1;
    } while (TicksSince(t0, clock.Now()) < kCalibrationMs);
    table.Offset[ch] = ZeroCode(sum, count);
    if (progress) progress(ch + 1);
  }
  table.SaveConfig();
}

void ResetZero(ChannelTable& table) {
  for (int ch = 0; ch < kAcpChannels; ++ch) table.Offset[ch] = 0;
  table.SaveConfig();
}

}  // namespace tornel
