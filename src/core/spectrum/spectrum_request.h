#pragma once

#include <optional>

namespace tornel {

// The weighting of the samples before the transform. Hann keeps a sine's
// leakage within a few bins; rectangular leaves the samples as they are.
enum class WindowFunction { Hann, Rectangular };

inline constexpr int kDefaultHarmonics = 40;

// What to analyse: one channel of a record (its slot) over a time window in
// seconds, frame i lying at i * Duration / FrameCount. A missing end means
// the record's start or end.
struct SpectrumRequest {
  int slot = 0;
  std::optional<double> from;
  std::optional<double> to;
  WindowFunction window = WindowFunction::Hann;
  int harmonics = kDefaultHarmonics;  // highest order reported, at least 1
};

}  // namespace tornel
