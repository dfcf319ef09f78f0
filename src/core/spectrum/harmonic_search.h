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

// The window's kernel: what a sine of amplitude 1 shows at d resolutions
// (sample rate / frames) from its frequency; Hann sinc(d) / (1 - d^2),
// rectangular sinc(d).
double WindowKernel(double d, WindowFunction window);

// The sine behind the peak at `bin` of window-corrected amplitudes whose
// bins are 1 / binsPerResolution of a resolution apart (1 without padding):
// the larger neighbour's ratio to the peak fixes the sine's offset d, as
// the kernel's ratio at the neighbour and at the peak, and the kernel's
// value at d gives back the amplitude lost between the bins. Without
// padding this is d = (2r - 1) / (r + 1) for Hann and r / (1 + r) for the
// rectangular window. A bin without neighbours is taken as is.
PeakEstimate InterpolatePeak(std::span<const double> amplitudes, int64_t bin, WindowFunction window,
                             double binsPerResolution = 1);

struct HarmonicSet {
  double fundamentalHz = 0;
  double thdPct = 0;
  std::vector<Harmonic> harmonics;
};

// The fundamental is the largest bin above DC; harmonic k is the largest
// bin within a resolution of k times the fundamental, interpolated, for k
// up to maxOrder while k times the fundamental stays at or below the
// Nyquist frequency. THD = sqrt(sum of A_k^2, k >= 2) / A_1 * 100. A
// spectrum whose largest amplitude is no more than rounding (against
// `swing`, the largest distance of the signal from its mean) has no
// fundamental.
HarmonicSet FindHarmonics(std::span<const double> amplitudes, double binHz, WindowFunction window,
                          int maxOrder, double swing, double binsPerResolution = 1);

}  // namespace tornel
