#include "core/graph/hanning_filter.h"

namespace tornel {

HanningFilter::HanningFilter(std::vector<int> columns)
    : columns_(std::move(columns)), previous_(columns_.size()), before_(columns_.size()) {}

void HanningFilter::Process(std::span<int16_t> frames, std::size_t width) {
  const std::size_t n = columns_.size();
  for (std::size_t at = 0; at + width <= frames.size(); at += width) {
    int16_t* frame = frames.data() + at;
    const bool filtered = seen_ >= 2;
    for (std::size_t i = 0; i < n; ++i) {
      int16_t& value = frame[columns_[i]];
      const int32_t x = value;
      if (filtered) value = static_cast<int16_t>((x + 2 * previous_[i] + before_[i]) / 4);
      before_[i] = previous_[i];
      previous_[i] = x;
    }
    if (!filtered) ++seen_;
  }
}

}  // namespace tornel
