#include "core/static/static_point.h"

#include "core/config/scan_priority.h"
#include "core/device/one_second_measurement.h"

namespace tornel {

StaticPoint MeasureStaticPoint(Device& device, const ChannelTable& table, TickClock& clock,
                               PriorityControl& priority, const std::array<int16_t, 2>& dacLevels,
                               BusyCursor* cursor) {
  BusyCursorScope shown(cursor);
  MeasurementRequest request;
  request.Channels = 0xFFFF;
  request.RmsMask = static_cast<uint16_t>(table.FilterMask);
  for (int ch = 0; ch < kAcpChannels; ++ch) request.Zero[ch] = table.Offset[ch];
  std::array<int16_t, 16> averages;
  {
    ScanPriorityGuard scanPriorities(table, priority);
    averages = MeasureOneSecond(device, clock, request);
  }
  StaticPoint point{};
  for (int ch = 0; ch < kAcpChannels; ++ch) point[ch] = averages[ch];
  point[16] = dacLevels[0];
  point[17] = dacLevels[1];
  return point;
}

}  // namespace tornel
