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

// The offset d (0 .. step / 2 resolutions) at which the kernel one bin
// further on is r times the kernel at d; the ratio grows with d.
double OffsetForRatio(double r, double step, WindowFunction window) {
  auto ratio = [&](double d) { return WindowKernel(step - d, window) / WindowKernel(d, window); };
  double lo = 0;
  double hi = step / 2;
  if (r <= ratio(lo)) return lo;
  if (r >= ratio(hi)) return hi;
  for (int i = 0; i < 60; ++i) {
    const double mid = (lo + hi) / 2;
    (ratio(mid) < r ? lo : hi) = mid;
  }
  return (lo + hi) / 2;
}

}  // namespace

double WindowKernel(double d, WindowFunction window) {
  d = std::abs(d);
  if (window == WindowFunction::Rectangular) return Sinc(d);
  // sin(pi d) / (pi d (1 - d)(1 + d)) tends to 1 / (d (1 + d)) at d = 1.
  if (std::abs(1 - d) < 1e-9) return 1 / (d * (1 + d));
  return Sinc(d) / (1 - d * d);
}

PeakEstimate InterpolatePeak(std::span<const double> amplitudes, int64_t bin, WindowFunction window,
                             double binsPerResolution) {
  const auto n = static_cast<int64_t>(amplitudes.size());
  const double peak = amplitudes[static_cast<std::size_t>(bin)];
  const double left = bin > 0 ? amplitudes[static_cast<std::size_t>(bin - 1)] : -1;
  const double right = bin + 1 < n ? amplitudes[static_cast<std::size_t>(bin + 1)] : -1;
  const double side = std::max(left, right);
  if (side < 0 || peak <= 0) return {static_cast<double>(bin), std::max(peak, 0.0)};
  const double step = 1 / binsPerResolution;
  const double d = OffsetForRatio(side / peak, step, window);
  const double direction = right >= left ? 1 : -1;
  return {static_cast<double>(bin) + direction * d / step, peak / WindowKernel(d, window)};
}

HarmonicSet FindHarmonics(std::span<const double> amplitudes, double binHz, WindowFunction window,
                          int maxOrder, double swing, double binsPerResolution) {
  HarmonicSet set;
  const auto bins = static_cast<int64_t>(amplitudes.size());
  if (bins < 2 || maxOrder < 1) return set;
  const auto largest = std::max_element(amplitudes.begin() + 1, amplitudes.end());
  if (!(*largest > kNoiseFloor * swing)) return set;

  const int64_t peakBin = largest - amplitudes.begin();
  const PeakEstimate f1 = InterpolatePeak(amplitudes, peakBin, window, binsPerResolution);
  const double nyquistBin = static_cast<double>(bins - 1);
  const auto reach = static_cast<int64_t>(std::ceil(binsPerResolution - 1e-9));
  set.fundamentalHz = f1.bin * binHz;
  set.harmonics.push_back({1, set.fundamentalHz, f1.amplitude});
  double sumSquares = 0;
  for (int k = 2; k <= maxOrder; ++k) {
    const double expected = k * f1.bin;
    if (expected > nyquistBin) break;
    const auto centre = static_cast<int64_t>(std::llround(expected));
    int64_t best = std::clamp<int64_t>(centre, 1, bins - 1);
    for (int64_t b = std::max<int64_t>(centre - reach, 1); b <= std::min(centre + reach, bins - 1);
         ++b) {
      if (amplitudes[static_cast<std::size_t>(b)] > amplitudes[static_cast<std::size_t>(best)]) {
        best = b;
      }
    }
    const double a = InterpolatePeak(amplitudes, best, window, binsPerResolution).amplitude;
    set.harmonics.push_back({k, k * set.fundamentalHz, a});
    sumSquares += a * a;
  }
  set.thdPct = f1.amplitude > 0 ? std::sqrt(sumSquares) / f1.amplitude * 100 : 0;
  return set;
}

}  // namespace tornel
