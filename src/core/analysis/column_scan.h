#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <type_traits>
#include <utility>

namespace tornel {

// Per-channel extremes and sums over a run of frames of `channels` values,
// frame after frame: the hot loops of the step metrics. With the channel
// count known to the compiler a frame is handled in a few vector
// instructions, so a pass costs little more than reading the file.

namespace column_scan_detail {

// Eight 16-bit codes in one vector register (a GCC and Clang extension).
typedef int16_t Codes8 __attribute__((vector_size(16)));

// Frames of a multiple of eight codes keep their running extremes in vector
// registers: a load and two packed comparisons per eight codes.
template <int Channels>
void PackedExtremes(const int16_t* data, int64_t frames, int16_t* mins, int16_t* maxs) {
  constexpr int kVectors = Channels / 8;
  Codes8 lo[kVectors], hi[kVectors];
  std::memcpy(lo, data, sizeof lo);
  std::memcpy(hi, data, sizeof hi);
  for (int64_t f = 1; f < frames; ++f) {
    Codes8 v[kVectors];
    std::memcpy(v, data + f * Channels, sizeof v);
    for (int k = 0; k < kVectors; ++k) {
      lo[k] = v[k] < lo[k] ? v[k] : lo[k];
      hi[k] = v[k] > hi[k] ? v[k] : hi[k];
    }
  }
  std::memcpy(mins, lo, sizeof lo);
  std::memcpy(maxs, hi, sizeof hi);
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
void AnySums(const Sample* data, int64_t frames, int channels, double* sums) {
  std::fill(sums, sums + channels, 0.0);
  for (int64_t f = 0; f < frames; ++f) {
    for (int c = 0; c < channels; ++c) sums[c] += static_cast<double>(data[f * channels + c]);
  }
}

// A frame holds at most 16 ADC and 16 DAC values.
inline constexpr int kMaxChannels = 32;

template <typename Sample>
using ExtremesFunction = void (*)(const Sample*, int64_t, Sample*, Sample*);
template <typename Sample>
using SumsFunction = void (*)(const Sample*, int64_t, double*);

template <typename Sample, std::size_t... C>
constexpr std::array<ExtremesFunction<Sample>, sizeof...(C)> ExtremesTable(
    std::index_sequence<C...>) {
  return {&Extremes<Sample, static_cast<int>(C) + 1>...};
}
template <typename Sample, std::size_t... C>
constexpr std::array<SumsFunction<Sample>, sizeof...(C)> SumsTable(std::index_sequence<C...>) {
  return {&Sums<Sample, static_cast<int>(C) + 1>...};
}

using Counts = std::make_index_sequence<static_cast<std::size_t>(kMaxChannels)>;

}  // namespace column_scan_detail

// The smallest and largest value of every channel (frames > 0).
template <typename Sample>
void ColumnExtremes(const Sample* data, int64_t frames, int channels, Sample* mins, Sample* maxs) {
  namespace d = column_scan_detail;
  static constexpr auto kTable = d::ExtremesTable<Sample>(d::Counts());
  if (channels >= 1 && channels <= d::kMaxChannels) {
    kTable[static_cast<std::size_t>(channels - 1)](data, frames, mins, maxs);
  } else {
    d::AnyExtremes(data, frames, channels, mins, maxs);
  }
}

// The sum of every channel, exact for 16-bit codes over up to 65536 frames.
template <typename Sample>
void ColumnSums(const Sample* data, int64_t frames, int channels, double* sums) {
  namespace d = column_scan_detail;
  static constexpr auto kTable = d::SumsTable<Sample>(d::Counts());
  if (channels >= 1 && channels <= d::kMaxChannels) {
    kTable[static_cast<std::size_t>(channels - 1)](data, frames, sums);
  } else {
    d::AnySums(data, frames, channels, sums);
  }
}

}  // namespace tornel
