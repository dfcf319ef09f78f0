#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <type_traits>
#include <utility>

namespace tornel {

// A frame holds at most 16 ADC and 16 DAC values.
inline constexpr int kMaxColumnChannels = 32;

namespace column_extremes_detail {

// Eight 16-bit codes in one vector register (a GCC and Clang extension).
typedef int16_t Codes8 __attribute__((vector_size(16)));

inline Codes8 LoadCodes8(const int16_t* p) {
  Codes8 v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

// Frames of a multiple of eight codes keep their running extremes in vector
// registers: a load and two packed comparisons per eight codes. Each vector
// is loaded on its own; staging a frame through an array kept the extremes
// in memory.
template <int Channels>
void PackedExtremes(const int16_t* data, int64_t frames, int16_t* mins, int16_t* maxs) {
  constexpr int kVectors = Channels / 8;
  Codes8 lo[kVectors], hi[kVectors];
  for (int k = 0; k < kVectors; ++k) lo[k] = hi[k] = LoadCodes8(data + 8 * k);
  for (int64_t f = 1; f < frames; ++f) {
    const int16_t* row = data + f * Channels;
    for (int k = 0; k < kVectors; ++k) {
      const Codes8 v = LoadCodes8(row + 8 * k);
      lo[k] = v < lo[k] ? v : lo[k];
      hi[k] = v > hi[k] ? v : hi[k];
    }
  }
  for (int k = 0; k < kVectors; ++k) {
    std::memcpy(mins + 8 * k, &lo[k], sizeof(Codes8));
    std::memcpy(maxs + 8 * k, &hi[k], sizeof(Codes8));
  }
}

// Plain arrays and conditional expressions are what the vectoriser turns
// into packed instructions.
template <typename Sample, int Channels>
void Extremes(const Sample* data, int64_t frames, Sample* mins, Sample* maxs) {
  if constexpr (std::is_same_v<Sample, int16_t> && Channels % 8 == 0) {
    PackedExtremes<Channels>(data, frames, mins, maxs);
  } else {
    Sample lo[Channels], hi[Channels];
    for (int c = 0; c < Channels; ++c) lo[c] = hi[c] = data[c];
    for (int64_t f = 1; f < frames; ++f) {
      const Sample* p = data + f * Channels;
      for (int c = 0; c < Channels; ++c) {
        const Sample v = p[c];
        lo[c] = v < lo[c] ? v : lo[c];
        hi[c] = v > hi[c] ? v : hi[c];
      }
    }
    std::copy(lo, lo + Channels, mins);
    std::copy(hi, hi + Channels, maxs);
  }
}

// Any channel count, for what the tables below do not hold.
template <typename Sample>
void AnyExtremes(const Sample* data, int64_t frames, int channels, Sample* mins, Sample* maxs) {
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

template <typename Sample>
using ExtremesFunction = void (*)(const Sample*, int64_t, Sample*, Sample*);

template <typename Sample, std::size_t... C>
constexpr std::array<ExtremesFunction<Sample>, sizeof...(C)> ExtremesTable(
    std::index_sequence<C...>) {
  return {&Extremes<Sample, static_cast<int>(C) + 1>...};
}

}  // namespace column_extremes_detail

// The smallest and largest value of every channel over `frames` (> 0) whole
// frames of `channels` values, frame after frame. With the channel count
// known to the compiler a frame is handled in a few vector instructions, so
// a pass costs little more than reading the samples. A NaN that is not the
// first value does not replace the extreme, as minsd and maxsd have it.
template <typename Sample>
void ColumnExtremes(const Sample* data, int64_t frames, int channels, Sample* mins, Sample* maxs) {
  namespace d = column_extremes_detail;
  static constexpr auto kTable =
      d::ExtremesTable<Sample>(std::make_index_sequence<std::size_t{kMaxColumnChannels}>());
  if (channels >= 1 && channels <= kMaxColumnChannels) {
    kTable[static_cast<std::size_t>(channels - 1)](data, frames, mins, maxs);
  } else {
    d::AnyExtremes(data, frames, channels, mins, maxs);
  }
}

}  // namespace tornel
