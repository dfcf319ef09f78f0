#include "core/graph/hanning_filter.h"

#include <algorithm>

namespace tornel {

HanningFilter::HanningFilter(std::vector<int> columns)
    : columns_(std::move(columns)), previous_(columns_.size()), before_(columns_.size()) {}

void HanningFilter::Process(std::span<int16_t> frames, std::size_t width) {
  const std::size_t count = frames.size() / width;
  // Frames 0 and 1 of the record only feed the history.
  const std::size_t first = std::min<std::size_t>(count, static_cast<std::size_t>(2 - seen_));
  // Column by column, so that the history stays in registers.
  for (std::size_t i = 0; i < columns_.size(); ++i) {
    int32_t p1 = previous_[i];
    int32_t p2 = before_[i];
    int16_t* value = frames.data() + columns_[i];
    for (std::size_t f = 0; f < count; ++f, value += width) {
      const int32_t x = *value;
      if (f >= first) *value = static_cast<int16_t>((x + 2 * p1 + p2) / 4);
      p2 = p1;
      p1 = x;
    }
    previous_[i] = p1;
    before_[i] = p2;
  }
  seen_ += static_cast<int>(first);
}

}  // namespace tornel
