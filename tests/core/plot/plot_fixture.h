#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/plot/plot_geometry.h"
#include "core/records/graph_record.h"
#include "tests/core/graph/sample_bytes.h"
#include "tests/support/temp_dir.h"

namespace tornel::testing {

// The plot rectangle of the tests with the screen margins: inner rectangle
// x0 = 60, y0 = 20, x1 = 540, yb = 320, so W = 480 and H = 300.
inline constexpr PlotRect kRect{0, 0, 560, 340};
inline constexpr PlotMargins kMargins = kScreenPlotMargins;

// A record whose sample file lives in a test folder. Base and RealBase are
// 1 everywhere, so a code's per-unit value is code / 511.
class PlotFixture {
public:
  PlotFixture() {
    record.Base.fill(1.0);
    record.RealBase.fill(1.0);
  }

  // Writes the frames and makes them the record's sample file.
  void Samples(const std::vector<int16_t>& codes, const std::string& name = "samples") {
    record.SampleFile = dir.File(name);
    WriteBytes(record.SampleFile, Int16Bytes(codes));
    record.RecountRecord();
  }

  std::string File(const std::string& name, const std::vector<int16_t>& codes) {
    WriteBytes(dir.File(name), Int16Bytes(codes));
    return dir.File(name);
  }

  TempDir dir;
  TGraphRecord record;
};

}  // namespace tornel::testing
