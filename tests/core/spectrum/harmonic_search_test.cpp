#include "core/spectrum/harmonic_search.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <vector>

#include "core/spectrum/amplitude_spectrum.h"

namespace tornel {
namespace {

// The kernels written out: a sine d resolutions away.
double Hann(double d) {
  const double x = std::numbers::pi * d;
  if (std::abs(d) == 1) return 0.5;  // 0 / 0 there: the limit
  return d == 0 ? 1 : std::sin(x) / x / (1 - d * d);
}
double Rect(double d) {
  const double x = std::numbers::pi * d;
  return d == 0 ? 1 : std::abs(std::sin(x) / x);
}

// Bins of a lone sine of amplitude 2.5 at bin position f, the bins
// 1 / spread of a resolution apart: the interpolation gives back f and 2.5
// wherever f lies between bins, padded or not.
TEST(HarmonicSearchTest, PeakBetweenBinsGivesBackPositionAndAmplitude) {
  struct Case {
    WindowFunction window;
    double spread;  // bins per resolution
    double f;
  };
  const Case cases[] = {
      {WindowFunction::Hann, 1, 20},
      {WindowFunction::Hann, 1, 20.5},
      {WindowFunction::Hann, 1, 20.13},
      {WindowFunction::Hann, 1, 19.71},
      {WindowFunction::Hann, 1.015, 20.3},
      {WindowFunction::Hann, 1.5, 30.25},
      {WindowFunction::Rectangular, 1, 20.37},
      {WindowFunction::Rectangular, 1.015, 20.5},
      {WindowFunction::Rectangular, 1.3, 25.8},
  };
  for (const Case& c : cases) {
    std::vector<double> bins(64);
    for (std::size_t b = 0; b < bins.size(); ++b) {
      const double d = (static_cast<double>(b) - c.f) / c.spread;
      const bool inLobe = std::abs(d) < (c.window == WindowFunction::Hann ? 1.99 : 0.99);
      bins[b] = inLobe ? 2.5 * (c.window == WindowFunction::Hann ? Hann(d) : Rect(d)) : 0;
    }
    const auto peak = static_cast<int64_t>(std::lround(c.f));
    const PeakEstimate e = InterpolatePeak(bins, peak, c.window, c.spread);
    EXPECT_NEAR(e.bin, c.f, 1e-9) << c.f << " " << c.spread;
    EXPECT_NEAR(e.amplitude, 2.5, 1e-9) << c.f << " " << c.spread;
  }
}

TEST(HarmonicSearchTest, KernelsAtTheirKnownPoints) {
  // Hann: 1/2 one resolution away (its limit), zero two away.
  EXPECT_NEAR(WindowKernel(1, WindowFunction::Hann), 0.5, 1e-12);
  EXPECT_NEAR(WindowKernel(-1, WindowFunction::Hann), 0.5, 1e-12);
  EXPECT_NEAR(WindowKernel(2, WindowFunction::Hann), 0, 1e-12);
  EXPECT_NEAR(WindowKernel(0.5, WindowFunction::Hann), (2 / std::numbers::pi) / 0.75, 1e-12);
  EXPECT_NEAR(WindowKernel(0.5, WindowFunction::Rectangular), 2 / std::numbers::pi, 1e-12);
  EXPECT_NEAR(WindowKernel(1, WindowFunction::Rectangular), 0, 1e-12);
}

TEST(HarmonicSearchTest, TransformLengthIsTheNextOneOfFactorsTwoToSeven) {
  const std::pair<int64_t, int64_t> cases[] = {
      {1, 1},
      {8, 8},
      {11, 12},
      {17, 18},
      {97, 98},
      {1009, 1024},
      {1013, 1024},
      {10'000'000, 10'000'000},
      {9'999'991, 10'000'000},
  };
  for (const auto& [n, m] : cases) EXPECT_EQ(AmplitudeSpectrum::TransformLengthFor(n), m) << n;
}

}  // namespace
}  // namespace tornel
