#pragma once

#include <cstdint>

namespace tornel {

// Device coordinates are held to this range before they reach a canvas:
// an extreme zoom must not wrap an integer around, and painters lose
// precision or drop lines far beyond it. It is more than a hundred pages
// at printer resolution, so anything that can be seen stays exact.
inline constexpr int32_t kCoordLimit = 1 << 22;

// trunc(v), held to the range; NaN gives 0.
inline int32_t ToCoord(double v) {
  if (!(v > -kCoordLimit)) return v != v ? 0 : -kCoordLimit;
  if (!(v < kCoordLimit)) return kCoordLimit;
  return static_cast<int32_t>(v);
}

inline int32_t ToCoord(int64_t v) {
  if (v < -kCoordLimit) return -kCoordLimit;
  if (v > kCoordLimit) return kCoordLimit;
  return static_cast<int32_t>(v);
}

}  // namespace tornel
