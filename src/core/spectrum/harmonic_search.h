#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "core/spectrum/spectrum_request.h"
#include "core/spectrum/spectrum_result.h"

namespace tornel {

// A peak between bins: its position in bins (fractional) and the amplitude
// of the sine that would make it.
struct PeakEstimate {
  double bin = 0;
  double amplitude = 0;
};

// The sine behind the peak at `bin` of window-corrected amplitudes: the
// ratio of the larger neighbour to the peak gives the offset d (0..0.5
// bins) exactly for the window's kernel (Hann: r = (1 + d) / (2 - d),
// rectangular: r = d / (1 - d)), and the kernel's value at d gives back the
// amplitude lost between the bins. A bin without neighbours is taken as is.
PeakEstimate InterpolatePeak(std::span<const double> amplitudes, int64_t bin,
                             WindowFunction window);

struct HarmonicSet {
  double fundamentalHz = 0;
  double thdPct = 0;
  std::vector<Harmonic> harmonics;
};

// The fundamental is the largest bin above DC; harmonic k is the largest of
// the three bins around k times the fundamental, interpolated, for k up to
// maxOrder while k times the fundamental stays at or below the Nyquist
// frequency. THD = sqrt(sum of A_k^2, k >= 2) / A_1 * 100. A spectrum whose
// largest amplitude is no more than rounding (against `swing`, the largest
// distance of the signal from its mean) has no fundamental.
HarmonicSet FindHarmonics(std::span<const double> amplitudes, double binHz, WindowFunction window,
                          int maxOrder, double swing);

}  // namespace tornel
