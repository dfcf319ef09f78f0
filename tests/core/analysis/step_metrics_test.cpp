#include "core/analysis/step_metrics.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "core/text/user_error.h"
#include "step_records.h"

namespace tornel {
namespace {

using testing::StepRecord;

constexpr double kEps = 1e-12;
const std::optional<double> kNone;

std::vector<int16_t> Repeat(std::vector<int16_t> head, int16_t value, std::size_t total) {
  head.resize(total, value);
  return head;
}

StepMetrics MeasureOne(const StepRecord& r, double t0, int band = 5) {
  return MeasureSteps(r.source, std::span(&r.channel, 1), {t0, band}).at(0);
}

void ExpectTime(const char* what, const std::optional<double>& got,
                const std::optional<double>& want) {
  ASSERT_EQ(got.has_value(), want.has_value()) << what;
  if (want) {
    EXPECT_NEAR(*got, *want, kEps) << what;
  }
}

// Records of 0.1 s frames worked out by hand from the definitions: y0 is
// the mean before T0, yf the mean of the last 5 % (one frame of 20, two of
// 40), n = (y - y0) / (yf - y0).
struct HandCase {
  const char* name;
  std::vector<int16_t> codes;
  double t0;
  int band;
  double initial, final;
  std::optional<double> t10, t50, t90;
  double peak, peakTime, overshoot;
  std::optional<double> settling;
};

class HandRecords : public ::testing::TestWithParam<HandCase> {
protected:
  testing::TempDir dir;
};

TEST_P(HandRecords, MetricsFollowTheDefinitions) {
  const HandCase& c = GetParam();
  StepRecord r(dir, c.codes, c.codes.size() * 0.1);
  const StepMetrics m = MeasureOne(r, c.t0, c.band);
  ASSERT_TRUE(m.HasStep);
  EXPECT_NEAR(m.Initial, c.initial, kEps);
  EXPECT_NEAR(m.Final, c.final, kEps);
  ExpectTime("t10", m.T10, c.t10);
  ExpectTime("t50", m.T50, c.t50);
  ExpectTime("t90", m.T90, c.t90);
  ExpectTime("rise", m.RiseTime, c.t10 && c.t90 ? std::optional(*c.t90 - *c.t10) : kNone);
  ExpectTime("delay", m.DelayTime, c.t50 ? std::optional(*c.t50 - c.t0) : kNone);
  EXPECT_NEAR(m.Peak, c.peak, kEps);
  EXPECT_NEAR(m.PeakTime, c.peakTime, kEps);
  EXPECT_NEAR(m.OvershootPct, c.overshoot, 1e-9);
  ExpectTime("settling", m.SettlingTime, c.settling);
}

// "over": 0 up to and at T0 = 0.4, then 20, 60, 95, 110, 105, 100...
const std::vector<int16_t> kOver = Repeat({0, 0, 0, 0, 0, 20, 60, 95, 110, 105}, 100, 20);

INSTANTIATE_TEST_SUITE_P(
    Step, HandRecords,
    ::testing::Values(
        // n: 0.2 at 0.5 s, 0.6 at 0.6 s, 0.95 at 0.7 s, 1.1 at 0.8 s. Outside
        // the 5 % band (5): every frame to 0.8 s but 0.7 s (|95 - 100| = 5).
        HandCase{"over5", kOver, 0.4, 5, 0, 100, 0.45, 0.575, 0.6 + 0.3 / 0.35 * 0.1, 110, 0.4, 10,
                 0.9 - 0.4},
        // The 2 % band (2) also excludes 105 at 0.9 s.
        HandCase{"over2", kOver, 0.4, 2, 0, 100, 0.45, 0.575, 0.6 + 0.3 / 0.35 * 0.1, 110, 0.4, 10,
                 1.0 - 0.4},
        // The same step falling from 1000 to 900: n and the times do not change.
        HandCase{"falling",
                 Repeat({1000, 1000, 1000, 1000, 1000, 980, 940, 905, 890, 895}, 900, 20), 0.4, 5,
                 1000, 900, 0.45, 0.575, 0.6 + 0.3 / 0.35 * 0.1, 890, 0.4, 10, 0.5},
        // Forty frames, the last two 80 and 120: yf = 100, the last frame is
        // outside the band, so it never settles; the first frame at T0 is
        // already at 1, interpolated with the 0 before it.
        HandCase{"unsettled",
                 [] {
                   auto c = Repeat({0, 0, 0, 0}, 100, 40);
                   c[38] = 80;
                   c[39] = 120;
                   return c;
                 }(),
                 0.4, 5, 0, 100, 0.31, 0.35, 0.39, 120, 3.9 - 0.4, 20, kNone},
        // Every frame from T0 on at yf: settled at T0, peak at T0.
        HandCase{"flat", Repeat({0, 0, 0, 0}, 100, 20), 0.4, 5, 0, 100, 0.31, 0.35, 0.39, 100, 0, 0,
                 0.0},
        // T0 = 0: no frame before it, y0 is the first frame (10); ten frames
        // still give yf one frame (60).
        HandCase{"fromStart", Repeat({10, 30, 50}, 60, 10), 0.0, 5, 10, 60, 0.025, 0.125, 0.25, 60,
                 0.3, 0, 0.3},
        // Two frames reach 110: the first one is the peak.
        HandCase{"tie", Repeat({0, 0, 0, 0, 0, 110, 100, 110}, 100, 20), 0.4, 5, 0, 100,
                 0.4 + 0.1 / 1.1 * 0.1, 0.4 + 0.5 / 1.1 * 0.1, 0.4 + 0.9 / 1.1 * 0.1, 110, 0.1, 10,
                 0.4},
        // 60 just before T0: y0 = 15, n there = 45 / 85, already past 0.1 and
        // 0.5 (their times are T0's frame); 0.9 is interpolated from it.
        HandCase{"spikeBefore", Repeat({0, 0, 0, 60}, 100, 20), 0.4, 5, 15, 100, 0.4, 0.4,
                 0.3 + 0.7875 * 0.1, 100, 0, 0, 0.0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(StepMetrics, AStepBelowOneCodeIsNoStep) {
  testing::TempDir dir;
  struct Case {
    int16_t last;  // the last of 40 frames; the one before is 0, so yf = last / 2
    bool step;
  };
  for (const Case c : {Case{1, false}, Case{-1, false}, Case{2, true}, Case{-2, true}}) {
    std::vector<int16_t> codes(40, 0);
    codes[39] = c.last;
    StepRecord r(dir, codes, 4.0);
    EXPECT_EQ(MeasureOne(r, 0.4).HasStep, c.step) << c.last;
  }
}

TEST(StepMetrics, ValuesAreInPhysicalUnits) {
  testing::TempDir dir;
  // Base 10 V: one code is 10/511 V.
  StepRecord r(dir, kOver, 2.0, 10.0);
  const StepMetrics m = MeasureOne(r, 0.4);
  EXPECT_NEAR(m.Final, 100 * 10.0 / 511, kEps);
  EXPECT_NEAR(m.Peak, 110 * 10.0 / 511, kEps);
  EXPECT_NEAR(m.SettledValue, 105 * 10.0 / 511, kEps);
  EXPECT_NEAR(m.OvershootPct, 10, 1e-9);
}

TEST(StepMetrics, ChannelsOfOneFrameAreMeasuredApart) {
  testing::TempDir dir;
  // Channel 0 is kOver, channel 1 the same falling, interleaved.
  std::vector<int16_t> codes;
  for (int16_t v : kOver) {
    codes.push_back(v);
    codes.push_back(static_cast<int16_t>(1000 - v));
  }
  StepRecord r(dir, codes, 2.0);
  r.source.Channels = 2;
  r.source.Frames = 20;
  AnalysisChannel second = r.channel;
  second.Position = 1;
  const std::vector<AnalysisChannel> channels{r.channel, second};
  const std::vector<StepMetrics> m = MeasureSteps(r.source, channels, {0.4, 5});
  ASSERT_EQ(m.size(), 2u);
  EXPECT_NEAR(m[0].Final, 100, kEps);
  EXPECT_NEAR(m[1].Final, 900, kEps);
  EXPECT_NEAR(m[0].PeakTime, 0.4, kEps);
  EXPECT_NEAR(m[1].PeakTime, 0.4, kEps);
  EXPECT_NEAR(*m[1].SettlingTime, 0.5, kEps);
}

// Long records cross the reader's chunks: the same step placed so that the
// crossings, the peak and the last frame outside the band fall on both sides
// of the chunk edge at frame 4096.
TEST(StepMetrics, EventsAtChunkEdgesAreFound) {
  testing::TempDir dir;
  for (int start : {4090, 4093, 4094, 4095, 4096}) {
    std::vector<int16_t> codes(8192, 100);
    for (int i = 0; i < start; ++i) codes[i] = 0;
    const std::vector<int16_t> edge = {20, 60, 95, 110, 105};
    for (std::size_t j = 0; j < edge.size(); ++j) codes[start + 1 + j] = edge[j];
    codes[start] = 0;
    StepRecord r(dir, codes, 819.2);         // 0.1 s frames
    const double t0 = start * 819.2 / 8192;  // frame `start`'s own time
    const StepMetrics m = MeasureOne(r, t0);
    ASSERT_TRUE(m.T10) << start;
    EXPECT_NEAR(*m.T10, t0 + 0.05, 1e-9) << start;
    EXPECT_NEAR(*m.T90, t0 + 0.2 + 0.3 / 0.35 * 0.1, 1e-9) << start;
    EXPECT_NEAR(m.PeakTime, 0.4, 1e-9) << start;
    EXPECT_NEAR(*m.SettlingTime, 0.5, 1e-9) << start;
  }
}

// A first-order lag, K = 10000 codes, T = 0.1 s, after T0 = 0.1 s, in 1 ms
// frames over 2 s. By hand: n = 1 - e^(-s/T) reaches p at s = T ln(1/(1-p)),
// so t10 = T0 + 0.0105361, t50 = T0 + 0.0693147, t90 = T0 + 0.2302585; the
// frames are rounded codes, which moves them by under 2e-5 s. The codes
// reach 10000 when 10000 e^(-s/T) < 0.5, s > 0.99035: the peak at 0.991 s.
// Outside the 5 % band (500 codes) while 10000 e^(-s/T) rounds above 500,
// s <= 0.299: settled 0.300 s after T0; the 2 % band (200): s = 0.390 still
// rounds to 202 and 0.391 to 200, settled at 0.391 s.
TEST(StepMetrics, FirstOrderLagByHand) {
  testing::TempDir dir;
  StepRecord r(
      dir, testing::Sampled(2000, 2.0, 0.1, 10000, [](double s) { return testing::Lag(s, 0.1); }),
      2.0);
  const StepMetrics five = MeasureOne(r, 0.1, 5);
  EXPECT_EQ(five.Initial, 0);
  EXPECT_EQ(five.Final, 10000);
  EXPECT_NEAR(*five.T10, 0.1105361, 2e-5);
  EXPECT_NEAR(*five.DelayTime, 0.0693147, 2e-5);
  EXPECT_NEAR(*five.RiseTime, 0.1 * std::log(9.0), 5e-5);
  EXPECT_EQ(five.Peak, 10000);
  EXPECT_NEAR(five.PeakTime, 0.991, 1e-9);
  EXPECT_EQ(five.OvershootPct, 0);
  EXPECT_NEAR(*five.SettlingTime, 0.300, 1e-9);
  EXPECT_NEAR(*MeasureOne(r, 0.1, 2).SettlingTime, 0.391, 1e-9);
}

// zeta = 0.3, wn = 20 rad/s, K = 10000: the overshoot is
// e^(-pi zeta / sqrt(1 - zeta^2)) = 37.23 %, the peak at
// pi / (wn sqrt(1 - zeta^2)) = 0.16466 s (the nearest 1 ms frame: 0.164 s),
// and the envelope e^(-zeta wn s) / sqrt(1 - zeta^2) leaves the 5 % band at
// ln(20 / sqrt(0.91)) / 6 = 0.5072 s, the last swing outside it just before.
TEST(StepMetrics, SecondOrderOvershootByHand) {
  testing::TempDir dir;
  StepRecord r(dir,
               testing::Sampled(3000, 3.0, 0.1, 10000,
                                [](double s) { return testing::Oscillating(s, 0.3, 20); }),
               3.0);
  const StepMetrics m = MeasureOne(r, 0.1);
  EXPECT_NEAR(m.OvershootPct, 37.23, 0.01);
  EXPECT_NEAR(m.PeakTime, 0.164, 1e-9);
  EXPECT_NEAR(*m.SettlingTime, 0.507, 2e-3);
  EXPECT_LE(*m.SettlingTime, 0.5072);
}

TEST(StepMetrics, RefusesWhatIsNoTransient) {
  testing::TempDir dir;
  struct Case {
    const char* name;
    std::function<void(StepRecord&, StepOptions&)> change;
    const char* message;
  };
  const std::vector<Case> cases = {
      {"static", [](StepRecord& r, StepOptions&) { r.source.IsStatic = true; },
       "статическая характеристика"},
      {"one frame", [](StepRecord& r, StepOptions&) { r.source.Frames = 1; }, "нет отсчётов"},
      {"no duration", [](StepRecord& r, StepOptions&) { r.source.Duration = 0; }, "нет отсчётов"},
      {"negative T0", [](StepRecord&, StepOptions& o) { o.StepTime = -0.1; }, "от 0 до 1.9 с"},
      {"T0 after the last frame", [](StepRecord&, StepOptions& o) { o.StepTime = 1.95; },
       "от 0 до 1.9 с"},
      {"T0 not a number", [](StepRecord&, StepOptions& o) { o.StepTime = NAN; }, "от 0 до"},
      {"band", [](StepRecord&, StepOptions& o) { o.SettleBand = 3; }, "2 % или 5 %"},
      {"missing file", [](StepRecord& r, StepOptions&) { r.source.Path += "-gone"; },
       "Не удалось открыть файл"},
  };
  for (const Case& c : cases) {
    StepRecord r(dir, kOver, 2.0);
    r.source.Name = "/data/run.dta";
    StepOptions o{0.4, 5};
    c.change(r, o);
    try {
      MeasureSteps(r.source, std::span(&r.channel, 1), o);
      ADD_FAILURE() << c.name << ": no error";
    } catch (const UserError& e) {
      const std::string text = e.what();
      EXPECT_NE(text.find(c.message), std::string::npos) << c.name << ": " << text;
      EXPECT_NE(text.find("/data/run.dta"), std::string::npos) << c.name << ": " << text;
    }
  }
  // T0 on the last frame is still inside.
  StepRecord r(dir, kOver, 2.0);
  EXPECT_NO_THROW(MeasureOne(r, 1.9));
}

}  // namespace
}  // namespace tornel
