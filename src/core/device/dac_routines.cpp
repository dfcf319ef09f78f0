#include "core/device/dac_routines.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "core/device/asmcode.h"
#include "core/device/cap_ramp_rate.h"

namespace tornel {
namespace {

constexpr int kMaxCaps = 16;
int CapsInUse(const ChannelTable& table) { return std::clamp<int>(table.CapCount, 0, kMaxCaps); }

// Codes per millisecond toward zero for one DAC.
double RampRate(const ChannelTable& table, int cap, int16_t level) {
  if (level == 0) return 0.0;
  return level > 0 ? CapRampRate(table, cap) : -CapRampRate(table, cap);
}

}  // namespace

void SetCapZero(Device& device, const ChannelTable& table) {
  int caps = CapsInUse(table);
  for (int i = 0; i < caps; ++i)
    CapWrite(device, static_cast<int16_t>(i), table.Offset[kCapSlotBase + i]);
}

void RampCapToZero(Device& device, const ChannelTable& table, TickClock& clock,
                   std::span<const int16_t> levels, BusyCursor* cursor) {
  BusyCursorScope cursorScope(cursor);
  int caps = CapsInUse(table);
  std::array<int16_t, kMaxCaps> level{};
  std::array<double, kMaxCaps> rate{};
  std::array<int16_t, kMaxCaps> prev{};
  std::array<int16_t, kMaxCaps> cur{};
  int16_t active = 0;
  for (int i = 0; i < caps; ++i) {
    level[i] = i < static_cast<int>(levels.size()) ? levels[i] : 0;
    rate[i] = RampRate(table, i, level[i]);
    prev[i] = level[i];
    active = static_cast<int16_t>(active | level[i]);
  }
  uint32_t t0 = clock.Now();
  while (active != 0) {
    active = 0;
    double elapsed = TicksSince(t0, clock.Now());
    for (int i = 0; i < caps; ++i) {
      int zero = table.Offset[kCapSlotBase + i];
      // Kept in double until it is known to be a DAC value, since a long
      // elapsed time at a fast rate lies far outside int16.
      double value = cur[i];
      if (prev[i] != 0) value = std::trunc(level[i] - elapsed * rate[i]);
      if (value != 0.0) {
        bool passedZero = (value > 0) != (prev[i] > 0);
        if (passedZero || zero + value > kCapMaxCode || zero + value < kCapMinCode) value = 0.0;
      }
      cur[i] = static_cast<int16_t>(value);
      CapWrite(device, static_cast<int16_t>(i), static_cast<int16_t>(zero + cur[i]));
      prev[i] = cur[i];
      active = static_cast<int16_t>(active | cur[i]);
    }
  }
}

}  // namespace tornel
