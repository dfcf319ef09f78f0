#pragma once

#include <vector>

#include "core/graph/frame_filter.h"

namespace tornel {

// y[n] = trunc(k x[n] + (1 - k) y[n-1]) over the written values; frame 0
// passes unchanged. k is taken as given, outside 0..1 too; a result past
// the 16-bit range stops at its end.
class ExpSmoothingFilter final : public FrameFilter {
public:
  ExpSmoothingFilter(std::vector<int> columns, double k);
  void Process(std::span<int16_t> frames, std::size_t width) override;

private:
  std::vector<int> columns_;
  std::vector<double> previous_;  // y[n-1] per column
  double k_;
  bool started_ = false;
};

}  // namespace tornel
