#include "core/graph/abs_value_filter.h"

#include <limits>

namespace tornel {

void AbsValueFilter::Process(std::span<int16_t> frames, std::size_t width) {
  for (std::size_t at = 0; at + width <= frames.size(); at += width) {
    for (int column : columns_) {
      int16_t& value = frames[at + column];
      if (value < 0 && value != std::numeric_limits<int16_t>::min()) value = -value;
    }
  }
}

}  // namespace tornel
