#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "core/config/channel_table.h"

namespace tornel {

inline constexpr int kDependencyCount = 8;

// One X-Y curve: the recorded positions of its abscissa and ordinate channels.
struct Dependency {
  int32_t Enabled = 0;  // 0 or 1
  int32_t XIndex = 0;
  int32_t YIndex = 0;
  bool operator==(const Dependency&) const = default;
};

// The fields of a measurement record that a data file stores, in the order of
// the file. Strings are UTF-8. The defaults are those of a fresh record.
struct DtaHeader {
  std::array<std::string, kChannelSlots> ChanName;
  std::array<std::string, kChannelSlots> ChanUnit;
  std::vector<std::string> Comments;
  double Time = 0;  // fraction of a day
  double Date = 0;  // days since 30 Dec 1899
  bool IsStatic = false;
  double Duration = 0;  // seconds; number of points for a static record
  uint16_t AcpMask = 0;
  uint16_t CapMask = 0;
  uint16_t AcpShowMask = 0;
  uint16_t CapShowMask = 0;
  std::array<Dependency, kDependencyCount> Deps{};
  std::array<double, kChannelSlots> Base{};
  std::array<double, kChannelSlots> RealBase{};
  int32_t DivX = 5;
  int32_t DivY = 6;
  double TMin = 0;
  double TMax = 0;
  double YMax = 1.9;
  double YMin = -1.9;
  double XMax = 1.9;
  double XMin = -1.9;
};

// The slots of the recorded channels in recorded-position order: ADC
// ascending, then DAC ascending.
inline std::vector<int> RecordedSlots(const DtaHeader& header) {
  std::vector<int> recorded;
  for (int s = 0; s < kChannelSlots; ++s) {
    const uint16_t mask = s < kCapSlotBase ? header.AcpMask : header.CapMask;
    if ((mask >> (s % kAcpChannels)) & 1) recorded.push_back(s);
  }
  return recorded;
}

}  // namespace tornel
