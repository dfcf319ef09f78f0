#pragma once

#include <cstdint>
#include <string>

#include "core/config/channel_table.h"
#include "core/static/point_file.h"

namespace tornel {

// The texts of the static window's point table and live values. `slot` is a
// channel-table slot: 0..15 ADC channels, 16.. DACs.

// "name" when the channel has no unit, else "name, unit".
std::string PointHeaderText(const ChannelTable& table, int slot);

// Column `column` of a point's row: ADC channels 0..15, then DAC 1 and 2,
// each as its physical value with 3 decimals.
std::string PointCellText(const ChannelTable& table, const StaticPoint& point, int column);

// The table slot of a point column (DAC columns map to DAC 1 and 2).
int PointColumnSlot(int column);

// A level or code of the channel in `slot` as its physical value (511 codes
// are its Base) with `decimals` decimals.
std::string PhysicalValueText(const ChannelTable& table, int slot, int code, int decimals);

// "name = value unit" of an ADC channel reading `code` (its zero code added),
// the value with 3 decimals.
std::string LiveValueText(const ChannelTable& table, int channel, int code);

}  // namespace tornel
