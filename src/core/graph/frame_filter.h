#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>

namespace tornel {

// A filter that works frame by frame. Process gets the frames that follow
// those of the previous call, `width` values each, and changes the selected
// columns in place; it keeps whatever it needs of earlier frames itself.
class FrameFilter {
public:
  virtual ~FrameFilter() = default;
  virtual void Process(std::span<int16_t> frames, std::size_t width) = 0;
};

// Codes as the sample file stores them, truncated toward zero: values past
// the 16-bit range stop at its ends, and a NaN (a factor so large that it
// overflows) gives -32768. Inline and branch-free: it runs once per value.
inline int16_t SaturateToCode(double value) {
  return static_cast<int16_t>(std::max(-32768.0, std::min(value, 32767.0)));
}

}  // namespace tornel
