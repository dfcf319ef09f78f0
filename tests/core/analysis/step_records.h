#pragma once

#include <cmath>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "core/analysis/transient_source.h"
#include "tests/core/graph/sample_bytes.h"
#include "tests/support/temp_dir.h"

namespace tornel::testing {

// Codes of one channel written as a sample file, read as a transient of
// `duration` seconds; one code is `base` / 511 physical units.
struct StepRecord {
  StepRecord(const TempDir& dir, const std::vector<int16_t>& codes, double duration,
             double base = 511.0) {
    source.Path = dir.File("step");
    WriteBytes(source.Path, Int16Bytes(codes));
    source.Channels = 1;
    source.Frames = static_cast<int64_t>(codes.size());
    source.Duration = duration;
    channel.Scale = base / 511.0;
    channel.Name = "Скорость";
    channel.Unit = "об/мин";
  }

  TransientSource source;
  AnalysisChannel channel;
};

// round(k * f(t - t0)) at frames i * duration / n, and 0 before t0.
inline std::vector<int16_t> Sampled(int n, double duration, double t0, double k,
                                    const std::function<double(double)>& f) {
  std::vector<int16_t> codes(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i) {
    const double s = i * duration / n - t0;
    codes[static_cast<std::size_t>(i)] = static_cast<int16_t>(s > 0 ? std::lround(k * f(s)) : 0);
  }
  return codes;
}

// A first-order lag's and a second-order system's unit step responses,
// written out here so the tests do not use the code they test.
inline double Lag(double s, double t) { return 1 - std::exp(-s / t); }
inline double Oscillating(double s, double zeta, double wn) {
  const double r = std::sqrt(1 - zeta * zeta);
  return 1 - std::exp(-zeta * wn * s) * (std::cos(wn * r * s) + zeta / r * std::sin(wn * r * s));
}

}  // namespace tornel::testing
