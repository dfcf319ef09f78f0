#pragma once

#include <cstdint>
#include <vector>

#include "core/spectrum/spectrum_request.h"

namespace tornel {

struct Harmonic {
  int order = 0;  // 1 is the fundamental
  double hz = 0;  // order times the fundamental's frequency
  double amplitude = 0;
  bool operator==(const Harmonic&) const = default;
};

// A channel's spectrum in numbers. Amplitudes and dc are in the channel's
// physical unit. Without a fundamental (a constant signal) fundamentalHz,
// thdPct are 0 and there are no harmonics.
struct SpectrumResult {
  int slot = 0;
  WindowFunction window = WindowFunction::Hann;
  double from = 0, to = 0;  // seconds
  int64_t frames = 0;
  double sampleRate = 0;    // Hz
  double resolutionHz = 0;  // sampleRate / frames
  double dc = 0;
  double fundamentalHz = 0;
  double thdPct = 0;
  std::vector<Harmonic> harmonics;
};

}  // namespace tornel
