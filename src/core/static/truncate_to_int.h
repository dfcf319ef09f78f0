#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

namespace tornel {

// Toward zero, clamped into int32; NaN is 0.
inline int32_t TruncateToInt(double value) {
  if (std::isnan(value)) return 0;
  constexpr double lo = std::numeric_limits<int32_t>::min();
  constexpr double hi = std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(std::trunc(std::fmin(std::fmax(value, lo), hi)));
}

}  // namespace tornel
