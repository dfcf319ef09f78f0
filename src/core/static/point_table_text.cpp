#include "core/static/point_table_text.h"

#include "core/text/number_text.h"

namespace tornel {
namespace {

// 511 codes stand for the channel's Base.
std::string PhysicalText(int code, double base) {
  return FormatFixed(code / double(kFullScaleCode) * base, 3, SystemDecimalSeparator());
}

}  // namespace

std::string PointHeaderText(const ChannelTable& table, int slot) {
  const std::string& unit = table.ChanUnit[slot];
  return unit.empty() ? table.ChanName[slot] : table.ChanName[slot] + ", " + unit;
}

int PointColumnSlot(int column) {
  return column < kAcpChannels ? column : kCapSlotBase + (column - kAcpChannels);
}

std::string PointCellText(const ChannelTable& table, const StaticPoint& point, int column) {
  return PhysicalText(point[column], table.Base[PointColumnSlot(column)]);
}

std::string LiveValueText(const ChannelTable& table, int channel, int code) {
  return table.ChanName[channel] + " = " + PhysicalText(code, table.Base[channel]) + " " +
         table.ChanUnit[channel];
}

}  // namespace tornel
