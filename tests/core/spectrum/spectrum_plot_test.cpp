#include "core/spectrum/spectrum_plot.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

#include "core/plot/plot_legend.h"
#include "core/records/sample_file_reader.h"
#include "core/text/user_error.h"
#include "spectrum_test_record.h"
#include "tests/core/records/scoped_tmpdir.h"

namespace tornel {
namespace {

using testing::FillDoubleRecord;
using testing::Sine;
using testing::TempDir;

TEST(RoundAxisEndTest, LeastRoundValueAtOrAbove) {
  const std::pair<double, double> cases[] = {
      {1, 1},     {1.0000001, 2}, {2.4, 2.5},   {3.15, 5},    {7, 10},
      {0.3, 0.5}, {0.002, 0.002}, {1234, 2000}, {0.25, 0.25}, {9.9e-7, 1e-6},
  };
  for (const auto& [v, end] : cases) EXPECT_DOUBLE_EQ(RoundAxisEnd(v), end) << v;
}

// A 10 Hz sine of amplitude 3 with its offset, on a bin (1000 Hz over 1 s):
// bin 10 holds 3 and Hann puts half of it into each neighbour; the plot
// starts at 0 Hz and ends at a round value past the last harmonic.
class SpectrumPlotTest : public ::testing::Test {
protected:
  SpectrumPlotTest() {
    FillDoubleRecord(source, dir, Sine(1000, 10, 3.0, 0.75), 1.0, 2);
    source.ChanName[2] = "Ток якоря";
    source.ChanUnit[2] = "А";
    source.ChanColor[2] = 0x00FF00;
  }
  TempDir dir;
  testing::ScopedTmpDir tmp{dir.Path().string()};
  TGraphRecord source;
};

TEST_F(SpectrumPlotTest, RecordHoldsAmplitudesAndLogarithmsPerBin) {
  SpectrumRequest request;
  request.slot = 2;
  std::optional<SpectrumPlot> plot = SpectrumPlot::Make(source, request);
  ASSERT_TRUE(plot.has_value());
  const TGraphRecord& r = plot->Record();
  EXPECT_EQ(r.FrameCount, 501);
  EXPECT_DOUBLE_EQ(r.Duration, 501);  // frame k at k Hz
  EXPECT_EQ(r.TMin, 0);
  EXPECT_EQ(r.TMax, 500);  // 40 harmonics end at 400 Hz; past it 405 rounds to 500
  EXPECT_EQ(r.Titles.Time, "f,Гц");
  EXPECT_EQ(LegendLines(r), (std::vector<LegendLine>{{"Ток якоря", 0x00FF00}}));

  SampleFileReader<double> reader(r.SampleFile, 2);
  double frame[2];
  struct Bin {
    int k;
    double amplitude;
  };
  for (const Bin& b : {Bin{10, 3.0}, Bin{9, 1.5}, Bin{11, 1.5}, Bin{0, 0}, Bin{200, 0}}) {
    ASSERT_TRUE(reader.ReadFrame(b.k, frame));
    EXPECT_NEAR(frame[0], b.amplitude, 1e-9) << b.k;
    const double floor = 3.0 * SpectrumPlot::kLogFloor;
    EXPECT_NEAR(frame[1], std::log10(std::max(b.amplitude, floor)), 0.5) << b.k;
    if (b.amplitude > 0) {
      EXPECT_NEAR(frame[1], std::log10(b.amplitude), 1e-9) << b.k;
    }
  }
}

TEST_F(SpectrumPlotTest, ScaleShowsOneCurveWithAFittingRange) {
  SpectrumRequest request;
  request.slot = 2;
  std::optional<SpectrumPlot> plot = SpectrumPlot::Make(source, request);
  ASSERT_TRUE(plot.has_value());
  struct Case {
    SpectrumScale scale;
    uint16_t shown;
    double yMin, yMax;
    int divY;
    std::string title;
  };
  for (const Case& c : {Case{SpectrumScale::Logarithmic, 0b10, -4, 1, 5, "lg A"},
                        Case{SpectrumScale::Linear, 0b01, 0, 5, 5, "A,А"}}) {
    plot->SetScale(c.scale);
    const TGraphRecord& r = plot->Record();
    EXPECT_EQ(r.AcpShowMask, c.shown);
    EXPECT_DOUBLE_EQ(r.YMin, c.yMin);
    EXPECT_DOUBLE_EQ(r.YMax, c.yMax);
    EXPECT_EQ(r.DivY, c.divY);
    EXPECT_EQ(r.Titles.Y, c.title);
  }
}

TEST_F(SpectrumPlotTest, FileGoesWithThePlotAndRefusalsLeaveNone) {
  std::string file;
  {
    SpectrumRequest request;
    request.slot = 2;
    std::optional<SpectrumPlot> plot = SpectrumPlot::Make(source, request);
    ASSERT_TRUE(plot.has_value());
    file = plot->Record().SampleFile;
    EXPECT_TRUE(std::filesystem::exists(file));
  }
  EXPECT_FALSE(std::filesystem::exists(file));
  SpectrumRequest outside;
  outside.slot = 2;
  outside.from = 5;
  outside.to = 6;
  EXPECT_THROW(SpectrumPlot::Make(source, outside), UserError);
  for (const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
    EXPECT_NE(entry.path().filename().string().rfind("Trn", 0), 0u) << entry.path();
  }
}

}  // namespace
}  // namespace tornel
