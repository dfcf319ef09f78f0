#pragma once

#include <algorithm>
#include <cstdint>

namespace tornel {

// The smallest and largest value of every channel over `frames` frames of
// `channels` values, frame after frame (frames > 0). The channel loop is
// innermost, so the compiler works on whole frames at once.
template <typename Sample>
void ColumnExtremes(const Sample* data, int64_t frames, int channels, Sample* mins, Sample* maxs) {
  std::copy(data, data + channels, mins);
  std::copy(data, data + channels, maxs);
  for (int64_t f = 1; f < frames; ++f) {
    const Sample* p = data + f * channels;
    for (int c = 0; c < channels; ++c) {
      mins[c] = std::min(mins[c], p[c]);
      maxs[c] = std::max(maxs[c], p[c]);
    }
  }
}

}  // namespace tornel
