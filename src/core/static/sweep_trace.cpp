#include "core/static/sweep_trace.h"

#include <cmath>

#include "core/config/channel_table.h"
#include "core/device/tick_clock.h"

namespace tornel {

bool SweepTrace::WrapIfDue(uint32_t now) {
  if (TicksSince(start_, now) <= kSweepMs) return false;
  start_ = now;
  return true;
}

int SweepTrace::X(uint32_t now, int width) const {
  return static_cast<int>(std::trunc(TicksSince(start_, now) / double(kSweepMs) * width));
}

int SweepTrace::Y(int code, int height) {
  double f = code / double(kFullScaleCode);
  return static_cast<int>(std::trunc((1.0 - f) * height * 0.5));
}

}  // namespace tornel
