#pragma once

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

// Codes as the sample file stores them: values past the 16-bit range stop at
// its ends (a NaN becomes 0).
int16_t SaturateToCode(double value);

}  // namespace tornel
