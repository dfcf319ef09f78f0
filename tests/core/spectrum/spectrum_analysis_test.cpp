#include "core/spectrum/spectrum_analysis.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "core/text/user_error.h"
#include "spectrum_test_record.h"
#include "tests/core/graph/sample_bytes.h"

namespace tornel {
namespace {

using testing::FillDoubleRecord;
using testing::Sine;
using testing::TempDir;

constexpr double kPi = std::numbers::pi;

SpectrumResult Analyze(const TGraphRecord& record, SpectrumRequest request = {}) {
  std::optional<SpectrumResult> r = AnalyzeSpectrum(record, request);
  EXPECT_TRUE(r.has_value());
  return r.value_or(SpectrumResult{});
}

// A sine reads its amplitude within 2 % and its frequency within a twentieth
// of a bin wherever it lies between bins, for both windows and for lengths
// that are not powers of two (1009 is prime). fs = n / duration.
TEST(SpectrumAnalysisTest, SineBetweenBinsReadsItsAmplitudeAndFrequency) {
  struct Case {
    WindowFunction window;
    int n;
    double duration;
    double cycles;  // periods in the record: the frequency in bins
    double amplitude;
  };
  const Case cases[] = {
      {WindowFunction::Hann, 1000, 1.0, 50.0, 2.0},
      {WindowFunction::Hann, 1000, 1.0, 50.5, 2.0},
      {WindowFunction::Hann, 1000, 1.0, 50.25, 2.0},
      {WindowFunction::Hann, 1000, 1.0, 50.1, 2.0},
      {WindowFunction::Hann, 1024, 0.5, 7.7, 300.0},
      {WindowFunction::Hann, 1009, 1.0, 37.4, 0.02},
      {WindowFunction::Rectangular, 1000, 1.0, 50.0, 2.0},
      {WindowFunction::Rectangular, 1000, 1.0, 50.5, 2.0},
      {WindowFunction::Rectangular, 1000, 1.0, 50.25, 2.0},
      {WindowFunction::Rectangular, 1009, 2.0, 120.8, 5.0},
  };
  for (const Case& c : cases) {
    TempDir dir;
    TGraphRecord record;
    FillDoubleRecord(record, dir, Sine(c.n, c.cycles, c.amplitude), c.duration);
    SpectrumRequest request;
    request.window = c.window;
    const SpectrumResult r = Analyze(record, request);
    const double hz = c.cycles / c.duration;
    const std::string what = std::to_string(c.n) + " " + std::to_string(c.cycles);
    ASSERT_FALSE(r.harmonics.empty()) << what;
    EXPECT_NEAR(r.fundamentalHz, hz, 0.05 / c.duration) << what;
    EXPECT_NEAR(r.harmonics[0].amplitude, c.amplitude, 0.02 * c.amplitude) << what;
    EXPECT_DOUBLE_EQ(r.sampleRate, c.n / c.duration) << what;
    EXPECT_DOUBLE_EQ(r.resolutionHz, 1 / c.duration) << what;
    EXPECT_EQ(r.frames, c.n) << what;
  }
}

// On a bin, with whole periods, both windows give a sine's amplitude and the
// offset exactly, and the square wave's harmonics are those of a sampled
// square wave: 4A / (P sin(pi k / P)) for odd k (4A / (pi k) as P grows),
// nothing for even k.
TEST(SpectrumAnalysisTest, SquareWaveHarmonicsAndThdOnBins) {
  constexpr int kPeriod = 100;  // samples per period
  constexpr int kPeriods = 20;
  constexpr double kA = 3.0;
  constexpr double kOffset = -1.25;
  std::vector<double> square(kPeriod * kPeriods);
  for (std::size_t i = 0; i < square.size(); ++i) {
    square[i] = (i % kPeriod < kPeriod / 2 ? kA : -kA) + kOffset;
  }
  auto expected = [](int k) {
    return k % 2 == 0 ? 0.0 : 4 * kA / (kPeriod * std::sin(kPi * k / kPeriod));
  };
  for (WindowFunction window : {WindowFunction::Hann, WindowFunction::Rectangular}) {
    TempDir dir;
    TGraphRecord record;
    FillDoubleRecord(record, dir, square, 2.0);  // 1000 Hz, 10 Hz fundamental
    SpectrumRequest request;
    request.window = window;
    const SpectrumResult r = Analyze(record, request);
    EXPECT_NEAR(r.dc, kOffset, 1e-12);
    EXPECT_NEAR(r.fundamentalHz, 10.0, 1e-9);
    ASSERT_EQ(r.harmonics.size(), 40u);
    double sumSquares = 0;
    for (int k = 1; k <= 40; ++k) {
      const Harmonic& h = r.harmonics[static_cast<std::size_t>(k - 1)];
      EXPECT_EQ(h.order, k);
      EXPECT_NEAR(h.hz, 10.0 * k, 1e-9);
      EXPECT_NEAR(h.amplitude, expected(k), 1e-9) << "k = " << k;
      if (k >= 2) sumSquares += expected(k) * expected(k);
    }
    EXPECT_NEAR(r.harmonics[0].amplitude, 4 * kA / kPi, 0.001 * kA);
    EXPECT_NEAR(r.thdPct, std::sqrt(sumSquares) / expected(1) * 100, 1e-7);
  }
}

// THD of known tones: sqrt(1^2 + 0.5^2) / 10 = 11.1803 %; the harmonics
// stop at the order asked for, and at the Nyquist frequency (500 Hz here).
TEST(SpectrumAnalysisTest, HarmonicsStopAtTheOrderAskedAndAtNyquist) {
  struct Case {
    double f1;
    bool tones;  // the third and fifth harmonics, 1 and 0.5
    int harmonics;
    std::size_t count;
    double thd;
  };
  const Case cases[] = {
      {50, true, 40, 10, 11.180339887},  // 10 * 50 Hz = Nyquist is the last
      {50, true, 3, 3, 10.0},            // the 250 Hz tone lies beyond order 3
      {50, true, 1, 1, 0.0},
      {80, true, 40, 6, 11.180339887},  // 560 Hz is past Nyquist
      {240, false, 40, 2, 0.0},         // 480 Hz; 720 Hz is past Nyquist
  };
  for (const Case& c : cases) {
    std::vector<double> v(1000);
    for (std::size_t i = 0; i < v.size(); ++i) {
      const double t = static_cast<double>(i) / 1000;
      v[i] = 10 * std::sin(2 * kPi * c.f1 * t);
      if (c.tones) {
        v[i] +=
            1 * std::sin(2 * kPi * 3 * c.f1 * t + 1) + 0.5 * std::sin(2 * kPi * 5 * c.f1 * t + 2);
      }
    }
    TempDir dir;
    TGraphRecord record;
    FillDoubleRecord(record, dir, v, 1.0);
    SpectrumRequest request;
    request.harmonics = c.harmonics;
    const SpectrumResult r = Analyze(record, request);
    EXPECT_EQ(r.harmonics.size(), c.count) << c.f1 << " " << c.harmonics;
    EXPECT_NEAR(r.thdPct, c.thd, 1e-6) << c.f1 << " " << c.harmonics;
    EXPECT_NEAR(r.harmonics.back().hz, c.f1 * static_cast<double>(c.count), 1e-9);
  }
}

// Codes are read at the channel's recorded position and scaled by
// Base / FullScale: a DAC channel after two ADC channels, each carrying its
// own tone, gives its own frequency and amplitude in its unit.
TEST(SpectrumAnalysisTest, CodesOfTheChosenPositionInPhysicalUnits) {
  constexpr int kN = 2000;
  std::vector<int16_t> codes;
  for (int i = 0; i < kN; ++i) {
    const double t = i / 2000.0;  // 2 kHz over 1 s
    codes.push_back(static_cast<int16_t>(std::lround(4000 * std::sin(2 * kPi * 30 * t))));
    codes.push_back(static_cast<int16_t>(std::lround(6000 * std::sin(2 * kPi * 70 * t))));
    codes.push_back(static_cast<int16_t>(std::lround(10000 * std::sin(2 * kPi * 110 * t) + 700)));
  }
  TempDir dir;
  TGraphRecord record;
  record.AcpMask = 0b101;  // ADC 1, ADC 3
  record.CapMask = 0b1;    // DAC 1
  record.Base[0] = 511;
  record.Base[2] = 1022;   // 2 units per code
  record.Base[16] = 5.11;  // 0.01 unit per code
  record.Duration = 1.0;
  record.SampleFile = dir.File("samples");
  testing::WriteBytes(record.SampleFile, testing::Int16Bytes(codes));
  record.RecountRecord();
  struct Case {
    int slot;
    double hz, amplitude, dc;
  };
  for (const Case& c : {Case{0, 30, 4000, 0}, Case{2, 70, 12000, 0}, Case{16, 110, 100, 7}}) {
    SpectrumRequest request;
    request.slot = c.slot;
    const SpectrumResult r = Analyze(record, request);
    EXPECT_EQ(r.slot, c.slot);
    EXPECT_NEAR(r.fundamentalHz, c.hz, 1e-6) << c.slot;
    EXPECT_NEAR(r.harmonics[0].amplitude, c.amplitude, 1e-4 * c.amplitude) << c.slot;
    EXPECT_NEAR(r.dc, c.dc, 1e-4 * c.amplitude) << c.slot;
  }
}

// Only the window's frames count: a record whose halves carry different
// tones gives each half's tone, and the frame count of the half.
TEST(SpectrumAnalysisTest, ReadsOnlyTheFramesOfTheWindow) {
  std::vector<double> v = Sine(1000, 15, 1.0);  // 30 Hz over the first 0.5 s
  const std::vector<double> second = Sine(1000, 35, 3.0, 2.0);
  v.insert(v.end(), second.begin(), second.end());
  TempDir dir;
  TGraphRecord record;
  FillDoubleRecord(record, dir, v, 1.0);
  struct Case {
    double from, to, hz, amplitude, dc;
  };
  for (const Case& c : {Case{0, 0.5, 30, 1, 0}, Case{0.5, 1, 70, 3, 2}, Case{0.5, 5, 70, 3, 2}}) {
    SpectrumRequest request;
    request.from = c.from;
    request.to = c.to;
    const SpectrumResult r = Analyze(record, request);
    EXPECT_EQ(r.frames, 1000) << c.from;
    EXPECT_NEAR(r.fundamentalHz, c.hz, 1e-6) << c.from;
    EXPECT_NEAR(r.harmonics[0].amplitude, c.amplitude, 1e-9) << c.from;
    EXPECT_NEAR(r.dc, c.dc, 1e-9) << c.from;
    EXPECT_DOUBLE_EQ(r.to, std::min(c.to, 1.0));
  }
}

TEST(SpectrumAnalysisTest, ConstantSignalHasNoFundamental) {
  for (double value : {0.0, 4.75, -1e6}) {
    TempDir dir;
    TGraphRecord record;
    FillDoubleRecord(record, dir, std::vector<double>(64, value), 1.0);
    const SpectrumResult r = Analyze(record);
    EXPECT_NEAR(r.dc, value, 1e-12 * std::abs(value));
    EXPECT_TRUE(r.harmonics.empty()) << value;
    EXPECT_EQ(r.fundamentalHz, 0);
    EXPECT_EQ(r.thdPct, 0);
  }
}

TEST(SpectrumAnalysisTest, UnreadableSamplesAreRefusedNotAnalysed) {
  struct Case {
    std::vector<double> values;
    bool truncate;
    std::string message;
  };
  std::vector<double> withNan = Sine(64, 3, 1);
  withNan[40] = std::nan("");
  const Case cases[] = {
      {withNan, false, "В канале есть отсчёты, не являющиеся числами"},
      {Sine(64, 3, 1), true, "Не удалось прочитать файл "},
  };
  for (const Case& c : cases) {
    TempDir dir;
    TGraphRecord record;
    FillDoubleRecord(record, dir, c.values, 1.0);
    // The file lost its end after the record counted its frames.
    if (c.truncate) testing::WriteBytes(record.SampleFile, testing::DoubleBytes(Sine(32, 3, 1)));
    try {
      AnalyzeSpectrum(record, {});
      ADD_FAILURE() << c.message;
    } catch (const UserError& e) {
      EXPECT_EQ(std::string(e.what()).rfind(c.message, 0), 0u) << e.what();
    }
  }
}

// Counts the steps of the progress and stops it at a given one.
class CountingProgress : public FilterProgress {
public:
  explicit CountingProgress(int stopAt) : stopAt_(stopAt) {}
  void Begin(const std::string& caption, int maximum) override {
    this->caption = caption;
    this->maximum = maximum;
  }
  bool Step() override { return ++steps != stopAt_; }
  std::string caption;
  int maximum = 0;
  int steps = 0;

private:
  int stopAt_;
};

TEST(SpectrumAnalysisTest, ProgressRunsToItsMaximumAndStopsTheWork) {
  TempDir dir;
  TGraphRecord record;
  FillDoubleRecord(record, dir, Sine(20000, 100, 1), 1.0);  // three chunks
  CountingProgress whole(-1);
  EXPECT_TRUE(AnalyzeSpectrum(record, {}, &whole).has_value());
  EXPECT_EQ(whole.caption, "Спектр");
  EXPECT_EQ(whole.steps, whole.maximum);
  for (int stop : {1, 101}) {
    CountingProgress stopped(stop);
    EXPECT_FALSE(AnalyzeSpectrum(record, {}, &stopped).has_value()) << stop;
    EXPECT_EQ(stopped.steps, stop);
  }
}

}  // namespace
}  // namespace tornel
