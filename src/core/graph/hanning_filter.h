#pragma once

#include <vector>

#include "core/graph/frame_filter.h"

namespace tornel {

// The three-point Hann average of the unfiltered values, (x[n] + 2 x[n-1] +
// x[n-2]) / 4 truncated toward zero, written at frame n: the average centred
// on frame n - 1. Frames 0 and 1 pass unchanged.
class HanningFilter final : public FrameFilter {
public:
  explicit HanningFilter(std::vector<int> columns);
  void Process(std::span<int16_t> frames, std::size_t width) override;

private:
  std::vector<int> columns_;
  std::vector<int32_t> previous_;  // x[n-1] per column
  std::vector<int32_t> before_;    // x[n-2] per column
  int seen_ = 0;                   // frames seen, counted up to 2
};

}  // namespace tornel
