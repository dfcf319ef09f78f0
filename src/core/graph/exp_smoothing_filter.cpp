#include "core/graph/exp_smoothing_filter.h"

namespace tornel {

ExpSmoothingFilter::ExpSmoothingFilter(std::vector<int> columns, double k)
    : columns_(std::move(columns)), previous_(columns_.size()), k_(k) {}

void ExpSmoothingFilter::Process(std::span<int16_t> frames, std::size_t width) {
  const std::size_t n = columns_.size();
  std::size_t at = 0;
  if (!started_ && frames.size() >= width) {
    for (std::size_t i = 0; i < n; ++i) previous_[i] = frames[columns_[i]];
    started_ = true;
    at = width;
  }
  for (; at + width <= frames.size(); at += width) {
    int16_t* frame = frames.data() + at;
    for (std::size_t i = 0; i < n; ++i) {
      const int16_t y = SaturateToCode(k_ * frame[columns_[i]] + (1 - k_) * previous_[i]);
      frame[columns_[i]] = y;
      previous_[i] = y;
    }
  }
}

}  // namespace tornel
