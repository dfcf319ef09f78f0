#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <type_traits>
#include <utility>

#include "core/records/column_extremes.h"

namespace tornel {

// Per-channel sums over a run of frames of `channels` values, frame after
// frame: with ColumnExtremes, the hot loops of the step metrics.

namespace column_scan_detail {

// 16-bit codes add up exactly in 32 bits over up to 65536 frames.
template <typename Sample>
using SumOf = std::conditional_t<std::is_same_v<Sample, int16_t>, int32_t, double>;

template <typename Sample, int Channels>
void Sums(const Sample* data, int64_t frames, double* sums) {
  SumOf<Sample> acc[Channels] = {};
  for (int64_t f = 0; f < frames; ++f) {
    const Sample* p = data + f * Channels;
    for (int c = 0; c < Channels; ++c) acc[c] += p[c];
  }
  for (int c = 0; c < Channels; ++c) sums[c] = static_cast<double>(acc[c]);
}

template <typename Sample>
void AnySums(const Sample* data, int64_t frames, int channels, double* sums) {
  std::fill(sums, sums + channels, 0.0);
  for (int64_t f = 0; f < frames; ++f) {
    for (int c = 0; c < channels; ++c) sums[c] += static_cast<double>(data[f * channels + c]);
  }
}

template <typename Sample>
using SumsFunction = void (*)(const Sample*, int64_t, double*);

template <typename Sample, std::size_t... C>
constexpr std::array<SumsFunction<Sample>, sizeof...(C)> SumsTable(std::index_sequence<C...>) {
  return {&Sums<Sample, static_cast<int>(C) + 1>...};
}

}  // namespace column_scan_detail

// The sum of every channel, exact for 16-bit codes over up to 65536 frames.
template <typename Sample>
void ColumnSums(const Sample* data, int64_t frames, int channels, double* sums) {
  namespace d = column_scan_detail;
  static constexpr auto kTable =
      d::SumsTable<Sample>(std::make_index_sequence<std::size_t{kMaxColumnChannels}>());
  if (channels >= 1 && channels <= kMaxColumnChannels) {
    kTable[static_cast<std::size_t>(channels - 1)](data, frames, sums);
  } else {
    d::AnySums(data, frames, channels, sums);
  }
}

}  // namespace tornel
