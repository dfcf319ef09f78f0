#include "core/static/point_table_text.h"

#include "core/text/number_text.h"

namespace tornel {

std::string PointHeaderText(const ChannelTable& table, int slot) {
  const std::string& unit = table.ChanUnit[slot];
  return unit.empty() ? table.ChanName[slot] : table.ChanName[slot] + ", " + unit;
}

std::string PhysicalValueText(const ChannelTable& table, int slot, int code, int decimals) {
  return FormatFixed(code / double(kFullScaleCode) * table.Base[slot], decimals,
                     SystemDecimalSeparator());
}

int PointColumnSlot(int column) {
  return column < kAcpChannels ? column : kCapSlotBase + (column - kAcpChannels);
}

std::string PointCellText(const ChannelTable& table, const StaticPoint& point, int column) {
  return PhysicalValueText(table, PointColumnSlot(column), point[column], 3);
}

std::string LiveValueText(const ChannelTable& table, int channel, int code) {
  return table.ChanName[channel] + " = " + PhysicalValueText(table, channel, code, 3) + " " +
         table.ChanUnit[channel];
}

}  // namespace tornel
