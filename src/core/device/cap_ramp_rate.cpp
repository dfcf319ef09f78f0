#include "core/device/cap_ramp_rate.h"

#include <cmath>

namespace tornel {
namespace {

constexpr double kImmediateRate = 1024.0;

}  // namespace

double CapRampRate(const ChannelTable& table, int cap) {
  if (!(table.Tzi > 0.0)) return kImmediateRate;
  int slot = kCapSlotBase + cap;
  // A channel may be wired with a negative Base; its ramp is as long.
  double rate =
      std::fabs(table.RealBase[slot] / table.Base[slot]) * kFullScaleCode / (table.Tzi * 1000.0);
  if (!std::isfinite(rate) || rate == 0.0) return kImmediateRate;
  return rate;
}

}  // namespace tornel
