#include "core/graph/exp_smoothing_filter.h"

namespace tornel {

ExpSmoothingFilter::ExpSmoothingFilter(std::vector<int> columns, double k)
    : columns_(std::move(columns)), previous_(columns_.size()), k_(k) {}

void ExpSmoothingFilter::Process(std::span<int16_t> frames, std::size_t width) {
  const std::size_t count = frames.size() / width;
  std::size_t f = 0;
  if (!started_ && count > 0) {  // frame 0 passes
    for (std::size_t i = 0; i < columns_.size(); ++i) previous_[i] = frames[columns_[i]];
    started_ = true;
    f = 1;
  }
  // Frame by frame: the columns are independent chains the processor overlaps.
  const double keep = 1 - k_;
  double* y = previous_.data();
  const int* column = columns_.data();
  const std::size_t n = columns_.size();
  for (; f < count; ++f) {
    int16_t* frame = frames.data() + f * width;
    for (std::size_t i = 0; i < n; ++i) {
      const int16_t out = SaturateToCode(k_ * frame[column[i]] + keep * y[i]);
      frame[column[i]] = out;
      y[i] = out;
    }
  }
}

}  // namespace tornel
