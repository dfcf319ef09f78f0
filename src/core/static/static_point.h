#pragma once

#include <array>
#include <cstdint>

#include "core/config/channel_table.h"
#include "core/config/priority_control.h"
#include "core/device/busy_cursor.h"
#include "core/device/device.h"
#include "core/device/tick_clock.h"
#include "core/static/point_file.h"

namespace tornel {

// One point of the static characteristic as it stands now: every ADC channel
// read for one second at the scan priorities, its zero code added, averaged
// as a mean or, where the table's FilterMask says so, as a root mean square;
// then the two DAC levels. The cursor (may be null) shows for the second;
// cursor and priorities are restored however the measurement ends. The window
// does not respond meanwhile.
StaticPoint MeasureStaticPoint(Device& device, const ChannelTable& table, TickClock& clock,
                               PriorityControl& priority, const std::array<int16_t, 2>& dacLevels,
                               BusyCursor* cursor);

}  // namespace tornel
