#include "core/device/cap_settings.h"

#include <algorithm>

#include "core/device/asmcode.h"
#include "core/text/number_text.h"

namespace tornel {
namespace {

constexpr int kFieldDecimals = 3;

std::string Fixed(double value) {
  return FormatFixed(value, kFieldDecimals, SystemDecimalSeparator());
}

int OnTrack(int position) { return std::clamp(position, 0, kCapTrackMax); }

}  // namespace

CapSettings CapSettings::FromTable(const ChannelTable& table) {
  CapSettings s;
  for (int i = 0; i < kCapSlots; ++i) {
    s.CapBase[i] = table.Base[kCapSlotBase + i];
    s.CapRealBase[i] = table.RealBase[kCapSlotBase + i];
    s.CapOffset[i] = table.Offset[kCapSlotBase + i];
  }
  s.CapCount = std::clamp<int>(table.CapCount, 0, kCapSlots);
  return s;
}

void CapSettings::CopyTo(ChannelTable& table) const {
  for (int i = 0; i < kCapSlots; ++i) {
    table.Base[kCapSlotBase + i] = CapBase[i];
    table.RealBase[kCapSlotBase + i] = CapRealBase[i];
    table.Offset[kCapSlotBase + i] = CapOffset[i];
  }
}

CapTrackPositions CapSettings::Positions(int t) const {
  int offset = OnTrack(CapOffset[t]);
  return {offset, OnTrack(CapTestLevel[t] + offset)};
}

CapTabFields CapSettings::Fields(int t) const {
  double fraction = CapTestLevel[t] / static_cast<double>(kFullScaleCode);
  return {std::to_string(CapOffset[t]), Fixed(fraction), Fixed(CapBase[t] * fraction),
          Fixed(CapRealBase[t])};
}

CapTrackPositions CapSettings::MoveOffset(int t, int offsetPosition) {
  CapTrackPositions p{OnTrack(offsetPosition), 0};
  p.Level = OnTrack(CapTestLevel[t] + p.Offset);
  CapOffset[t] = static_cast<int16_t>(p.Offset);
  MoveLevel(t, p);
  return p;
}

void CapSettings::MoveLevel(int t, CapTrackPositions positions) {
  CapTestLevel[t] = static_cast<int16_t>(positions.Level - positions.Offset);
}

void CapSettings::StoreCapTab(int t, CapTrackPositions positions, std::string_view base,
                              std::string_view realBase) {
  CapOffset[t] = static_cast<int16_t>(positions.Offset);
  MoveLevel(t, positions);
  if (CapTestLevel[t] != 0) CapBase[t] = StrToFloatLenient(base) * kFullScaleCode / CapTestLevel[t];
  CapRealBase[t] = StrToFloatLenient(realBase);
}

void CapSettings::WriteOutputs(Device& device) const {
  for (int i = 0; i < CapCount; ++i)
    CapWrite(device, static_cast<int16_t>(i), static_cast<int16_t>(CapOffset[i] + CapTestLevel[i]));
}

std::span<const int16_t> CapSettings::Levels() const {
  return std::span<const int16_t>(CapTestLevel).first(static_cast<std::size_t>(CapCount));
}

}  // namespace tornel
