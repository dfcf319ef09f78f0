#pragma once

#include <cmath>
#include <cstdint>
#include <numbers>
#include <vector>

#include "core/records/graph_record.h"
#include "tests/core/graph/sample_bytes.h"
#include "tests/support/temp_dir.h"

namespace tornel::testing {

// A record of one ADC channel of doubles in physical units (the graph
// block's kind): frame i at i * duration / values.size().
inline void FillDoubleRecord(TGraphRecord& record, const TempDir& dir,
                             const std::vector<double>& values, double duration, int slot = 0) {
  record.Samples = SampleFormat::Float64;
  record.FullScale = 1.0;
  record.Base[slot] = 1.0;
  record.RealBase[slot] = 1.0;
  record.AcpMask = record.AcpShowMask = static_cast<uint16_t>(1u << slot);
  record.Duration = record.TMax = duration;
  record.SampleFile = dir.File("samples");
  WriteBytes(record.SampleFile, DoubleBytes(values));
  record.RecountRecord();
}

// amplitude * sin(2 pi cycles i / n + phase) + offset, i = 0 .. n - 1.
inline std::vector<double> Sine(int n, double cycles, double amplitude, double offset = 0,
                                double phase = 0.3) {
  std::vector<double> v(static_cast<std::size_t>(n));
  for (int i = 0; i < n; ++i) {
    v[static_cast<std::size_t>(i)] =
        amplitude * std::sin(2 * std::numbers::pi * cycles * i / n + phase) + offset;
  }
  return v;
}

}  // namespace tornel::testing
