#include "core/spectrum/harmonic_search.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace tornel {
namespace {

// Below this share of the signal's swing a peak is rounding, not a sine.
constexpr double kNoiseFloor = 1e-10;

double Sinc(double d) {
  if (d == 0) return 1;
  const double x = std::numbers::pi * d;
  return std::sin(x) / x;
}

// The window's kernel at an offset of d bins, 1 at d = 0.
double Kernel(double d, WindowFunction window) {
  return window == WindowFunction::Hann ? Sinc(d) / (1 - d * d) : Sinc(d);
}

}  // namespace

PeakEstimate InterpolatePeak(std::span<const double> amplitudes, int64_t bin,
                             WindowFunction window) {
  const auto n = static_cast<int64_t>(amplitudes.size());
  const double peak = amplitudes[static_cast<std::size_t>(bin)];
  const double left = bin > 0 ? amplitudes[static_cast<std::size_t>(bin - 1)] : -1;
  const double right = bin + 1 < n ? amplitudes[static_cast<std::size_t>(bin + 1)] : -1;
  const double side = std::max(left, right);
  if (side < 0 || peak <= 0) return {static_cast<double>(bin), std::max(peak, 0.0)};
  const double r = side / peak;
  double d = window == WindowFunction::Hann ? (2 * r - 1) / (r + 1) : r / (1 + r);
  d = std::clamp(d, 0.0, 0.5);
  const double direction = right >= left ? 1 : -1;
  return {static_cast<double>(bin) + direction * d, peak / Kernel(d, window)};
}

HarmonicSet FindHarmonics(std::span<const double> amplitudes, double binHz, WindowFunction window,
                          int maxOrder, double swing) {
  HarmonicSet set;
  const auto bins = static_cast<int64_t>(amplitudes.size());
  if (bins < 2 || maxOrder < 1) return set;
  const auto largest = std::max_element(amplitudes.begin() + 1, amplitudes.end());
  if (!(*largest > kNoiseFloor * swing)) return set;

  const int64_t peakBin = largest - amplitudes.begin();
  const PeakEstimate f1 = InterpolatePeak(amplitudes, peakBin, window);
  const double nyquistBin = static_cast<double>(bins - 1);
  set.fundamentalHz = f1.bin * binHz;
  set.harmonics.push_back({1, set.fundamentalHz, f1.amplitude});
  double sumSquares = 0;
  for (int k = 2; k <= maxOrder; ++k) {
    const double expected = k * f1.bin;
    if (expected > nyquistBin) break;
    const auto centre = static_cast<int64_t>(std::llround(expected));
    int64_t best = std::clamp<int64_t>(centre, 1, bins - 1);
    for (int64_t b = std::max<int64_t>(centre - 1, 1); b <= std::min(centre + 1, bins - 1); ++b) {
      if (amplitudes[static_cast<std::size_t>(b)] > amplitudes[static_cast<std::size_t>(best)]) {
        best = b;
      }
    }
    const double a = InterpolatePeak(amplitudes, best, window).amplitude;
    set.harmonics.push_back({k, k * set.fundamentalHz, a});
    sumSquares += a * a;
  }
  set.thdPct = f1.amplitude > 0 ? std::sqrt(sumSquares) / f1.amplitude * 100 : 0;
  return set;
}

}  // namespace tornel
