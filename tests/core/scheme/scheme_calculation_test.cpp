#include "core/scheme/scheme_calculation.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "core/scheme/model_tables.h"
#include "core/text/user_error.h"
#include "scheme_fixture.h"
#include "tests/support/fake_device.h"
#include "tests/support/fake_tick_clock.h"
#include "tests/support/file_size_limit.h"

namespace tornel {
namespace {

using testing::SchemeTest;

class CalculationTest : public SchemeTest {
protected:
  CalculationTest() { clock.SetAutoAdvance(1); }

  // A source of a constant value from t = 0 (a step that switched at -1 s).
  TBlock* Constant(double value) {
    TBlock* step = Place(kKindStep);
    step->Params = {value, -1.0, 1.0};
    return step;
  }
  TBlock* Graph() {
    if (!graph) graph = Place(kKindGraph);
    return graph;
  }
  // A run that goes past its end time stops at a tick cap and a file size
  // limit, not at a full disk.
  RunResult Run(double end, double step, bool realTime = false) {
    constexpr uint64_t kTickCap = 100000;
    SchemeCalculation calc(device, clock, table);
    if (progress) {
      calc.SetProgress(progress, every);
    } else {
      calc.SetProgress([](const RunProgress& p) { return p.Ticks < kTickCap; }, 1000);
    }
    testing::FileSizeLimit limit(kTickCap * kAcpChannels * sizeof(double));
    return calc.Run(scheme, {end, step, realTime});
  }
  std::vector<double> Samples() const {
    const std::string bytes = testing::ReadBytes(graph->Record->OrigFile);
    std::vector<double> v(bytes.size() / 8);
    if (!v.empty()) std::memcpy(v.data(), bytes.data(), v.size() * 8);
    return v;
  }
  std::string Refusal(double end, double step) {
    try {
      Run(end, step);
    } catch (const UserError& e) {
      return e.what();
    }
    return "ran";
  }

  testing::FakeTickClock clock;
  testing::FakeDevice device{&clock};
  TBlock* graph = nullptr;
  std::function<bool(const RunProgress&)> progress;
  uint32_t every = 4096;
};

TEST_F(CalculationTest, NumbersGroupsInOrderWithAdcDacAndZeroIndices) {
  TBlock* sum = Place(kKindSum);
  TBlock* gen = Place(kKindSinT);
  TBlock* acp = Place(kKindAcp);
  TBlock* lag = Place(kKindAperiod);
  TBlock* cap = Place(kKindCap);
  TBlock* ogr = Place(kKindOgr);
  acp->Channel = 3;
  cap->Channel = 1;
  Connect(acp, sum, 1);
  Connect(gen, lag);
  Connect(lag, cap);
  Connect(sum, ogr);
  Connect(ogr, Graph(), 2);
  const ModelTables t = BuildModelTables(scheme);
  // lag 0, generator 1, sum 2, limiter 3; B = 4, ADC 4..19, Z = 20.
  EXPECT_EQ(t.Tag, (std::vector<int>{2, 1, 4 + 3, 0, 20 + 1, 3, -1}));
  EXPECT_EQ(t.B, 4);
  EXPECT_EQ(t.Z, 20);
  EXPECT_EQ(t.V.size(), 21u);
  EXPECT_EQ(t.P1[2], 20.0) << "the sum's free input 0 reads Z";
  EXPECT_EQ(t.P2[2], 7.0);
  EXPECT_EQ(t.Src[0], 1);
  EXPECT_EQ(t.Src[1], 2) << "the limiter's feed follows the dynamic ones";
  EXPECT_EQ(t.Src[t.CapSrc(1)], 0);
  EXPECT_EQ(t.AcpMask, 8);
  EXPECT_EQ(t.CapMask, 2);
  EXPECT_EQ(t.GraphMask, 4);
  EXPECT_EQ(t.GraphCount, 1);
  EXPECT_EQ(t.GraphSources[0], 3);
  EXPECT_EQ(t.GraphSources[1], 20);
}

TEST_F(CalculationTest, StepIntoIntegratorWritesAThousandSamplesAndHandsThemToTheGraph) {
  TBlock* step = Place(kKindStep);
  step->Params = {1.0, 0.5, 1.0};
  TBlock* integr = Place(kKindIntegr);
  Connect(step, integr);
  Connect(integr, Graph(), 0);
  const RunResult r = Run(1.0, 0.001);
  const std::vector<double> s = Samples();
  EXPECT_NEAR(static_cast<double>(s.size()), 1000.0, 1.0);
  EXPECT_EQ(r.Ticks, s.size());
  EXPECT_EQ(s[400], 0.0) << "nothing before the step time";
  EXPECT_NEAR(s.back(), r.Time - 0.5, 1e-3) << "then the integral of 1";
  EXPECT_NEAR(s[799] - s[699], 0.1, 1e-9) << "rising linearly";
  const TGraphRecord& rec = *graph->Record;
  EXPECT_EQ(rec.Duration, 1.0);
  EXPECT_EQ(rec.TMax, 1.0);
  EXPECT_EQ(rec.AcpMask, 1);
  EXPECT_EQ(rec.AcpShowMask, 1);
  EXPECT_EQ(rec.FrameCount, static_cast<double>(s.size()));
  EXPECT_EQ(scheme.Step, 0.001);
}

TEST_F(CalculationTest, SumSignProductAndUnconnectedInputs) {
  TBlock* a = Constant(3.0);
  TBlock* b = Constant(1.0);
  TBlock* minus = Place(kKindSum);
  TBlock* plus = Place(kKindSum);
  plus->Option = true;
  TBlock* product = Place(kKindMul);
  TBlock* halfProduct = Place(kKindMul);
  for (TBlock* s : {minus, plus, product}) {
    Connect(a, s, 0);
    Connect(b, s, 1);
  }
  Connect(a, halfProduct, 0);
  Connect(minus, Graph(), 0);
  Connect(plus, Graph(), 1);
  Connect(product, Graph(), 2);
  Connect(halfProduct, Graph(), 3);
  Run(0.001, 0.001);
  EXPECT_EQ(Samples(), (std::vector<double>{2.0, 4.0, 3.0, 0.0}));
}

TEST_F(CalculationTest, LimiterCutsAtItsLevelAndGivesZeroForZero) {
  const struct {
    double u, level, out;
  } cases[] = {
      {0.8, 0.5, 0.5}, {-0.8, 0.5, -0.5}, {0.3, 0.5, 0.3}, {0.0, -1.0, 0.0}, {0.4, -0.5, -0.5}};
  for (const auto& c : cases) {
    Scheme fresh(factory);
    std::swap(scheme, fresh);
    graph = nullptr;
    TBlock* ogr = Place(kKindOgr);
    ogr->Params[0] = c.level;
    Connect(Constant(c.u), ogr);
    Connect(ogr, Graph(), 0);
    Run(0.001, 0.001);
    EXPECT_EQ(Samples(), std::vector<double>{c.out}) << c.u << " " << c.level;
  }
}

TEST_F(CalculationTest, AdcValuesAreReadingPlusOffsetOver511) {
  table.Offset[2] = -3;
  device.SetConstant(2, 514);
  TBlock* acp = Place(kKindAcp);
  acp->Channel = 2;
  Connect(acp, Graph(), 0);
  Run(0.002, 0.001);
  EXPECT_EQ(Samples(), (std::vector<double>{511 * kCodeToModel, 511 * kCodeToModel}));
  EXPECT_DOUBLE_EQ(Samples()[0], 1.0);
  EXPECT_EQ(device.ReadCount(2), 2u) << "once a tick";
}

TEST_F(CalculationTest, DacCodesTruncateWhereEachLoopTruncates) {
  const struct {
    double v;
    int16_t offset;
    bool realTime;
    int16_t code;
  } cases[] = {
      {1.0, 0, false, 511},    {-1.0, 0, false, 0},     {-0.5, 511, false, 256},
      {-0.5, 511, true, 255},  {0.5, 511, false, 766},  {0.5, 511, true, 766},
      {1.0, 511, false, 1022}, {3.0, 511, false, 1023}, {NAN, 511, false, 511},
  };
  for (const auto& c : cases) {
    Scheme fresh(factory);
    std::swap(scheme, fresh);
    device.ClearWrites();
    table.Offset[kCapSlotBase] = c.offset;
    Connect(Constant(c.v), Place(kKindCap));
    Run(0.001, 0.001, c.realTime);
    ASSERT_FALSE(device.WritesTo(0).empty());
    EXPECT_EQ(device.WritesTo(0)[0].code, c.code) << c.v << " " << c.offset << " " << c.realTime;
    EXPECT_EQ(device.LastCode(0), c.offset) << "ramped back to zero";
  }
}

TEST_F(CalculationTest, TwoDacBlocksEachSendTheirOwnInput) {
  TBlock* cap1 = Place(kKindCap);
  cap1->Channel = 1;
  Connect(Constant(0.5), cap1);
  Place(kKindIntegr);
  TBlock* gain = Place(kKindProporc);
  gain->Params[0] = 2.0;
  Connect(Constant(-0.25), gain);
  Connect(gain, Place(kKindCap));
  Run(0.001, 0.001);
  EXPECT_EQ(device.WritesTo(0)[0].code, 511 - 255);
  EXPECT_EQ(device.WritesTo(1)[0].code, 511 + 255);
}

TEST_F(CalculationTest, RefusalsComeBeforeAnythingRuns) {
  TBlock* integr = Place(kKindIntegr);
  Connect(Constant(1), Place(kKindCap));
  Connect(integr, Graph(), 0);
  testing::WriteBytes(graph->Record->OrigFile, "old");
  EXPECT_EQ(Refusal(1, 0), "Шаг по времени должен быть больше нуля");
  EXPECT_EQ(Refusal(1, -0.1), "Шаг по времени должен быть больше нуля");
  EXPECT_EQ(Refusal(1, NAN), "Шаг по времени должен быть больше нуля");
  EXPECT_EQ(Refusal(1e20, 1), "Шаг по времени слишком мал для времени расчета");
  EXPECT_EQ(Refusal(INFINITY, 1), "Шаг по времени слишком мал для времени расчета");
  EXPECT_NE(Refusal(1e6, 1e-6).find(
                "Для отсчётов графика нужно 7629395 МБ, а во временной папке свободно "),
            std::string::npos);
  const struct {
    int kind;
    int param;
    const char* says;
  } divisors[] = {
      {kKindIntegr, 0, "Блок «Интегратор»: «Постоянная времени T» не может быть равна 0"},
      {kKindAperiod, 1,
       "Блок «Апериодическое звено»: «Постоянная времени T» не может быть равна 0"},
      {kKindPIReg, 1, "Блок «ПИ-регулятор»: «Постоянная времени T» не может быть равна 0"},
      {kKindZi, 0, "Блок «Задатчик интенсивности»: «Tзи» не может быть равна 0"},
  };
  for (const auto& d : divisors) {
    TBlock* b = Place(d.kind);
    b->Params[d.param] = 0.0;
    EXPECT_EQ(Refusal(1, 0.001), d.says);
    b->Params[d.param] = 1.0;
  }
  EXPECT_TRUE(device.Writes().empty()) << "no DAC touched";
  EXPECT_EQ(testing::ReadBytes(graph->Record->OrigFile), "old") << "no sample written";
  EXPECT_EQ(scheme.Step, 0.001);

  const RunResult none = Run(0.0, 0.001);
  EXPECT_EQ(none.Ticks, 0u) << "an end time of 0 runs no tick";
  EXPECT_EQ(Samples().size(), 0u);
}

TEST_F(CalculationTest, ProgressCanStopARunKeepingItsSamples) {
  TBlock* integr = Place(kKindIntegr);
  Connect(Constant(1), integr);
  Connect(integr, Graph(), 0);
  Connect(Constant(0.5), Place(kKindCap));
  std::vector<uint64_t> seen;
  progress = [&](const RunProgress& p) {
    seen.push_back(p.Ticks);
    return p.Ticks < 200;
  };
  every = 100;
  const RunResult r = Run(10.0, 0.001);
  EXPECT_EQ(seen, (std::vector<uint64_t>{100, 200}));
  EXPECT_TRUE(r.Cancelled);
  EXPECT_EQ(r.Ticks, 200u);
  EXPECT_EQ(Samples().size(), 200u);
  EXPECT_NEAR(graph->Record->Duration, 0.2, 1e-12) << "the model time reached";
  EXPECT_EQ(graph->Record->Duration, r.Time);
  EXPECT_EQ(device.LastCode(0), 511) << "the DAC is back at zero";
}

TEST_F(CalculationTest, RealTimeStepFollowsTheClockInBatchesOfTen) {
  TBlock* integr = Place(kKindIntegr);
  Connect(Constant(1), integr);
  Connect(integr, Graph(), 0);
  clock.SetAutoAdvance(2);  // every reading of the clock is 2 ms after the last
  const RunResult r = Run(0.05, 0.0001, true);
  // Tick k ends 2k ms after the start: batches of 10, 10 and 5 ticks, the
  // first at the dialog's step, the others at 20 ms / 10 ticks.
  EXPECT_EQ(r.Ticks, 25u);
  EXPECT_NEAR(r.Time, 10 * 0.0001 + 15 * 0.002, 1e-12);
  EXPECT_NEAR(r.Step, 0.05 / 10 / 3, 1e-15);
  EXPECT_EQ(scheme.Step, r.Step);
  // Recorded on the 0.1 ms grid up to the model time reached, 0.031 s.
  EXPECT_EQ(Samples().size(), 310u);
  EXPECT_EQ(graph->Record->Duration, 0.031);
}

TEST_F(CalculationTest, RealTimeRunRampsBackFromTheLastLevelSent) {
  Connect(Constant(0.5), Place(kKindCap));
  Run(0.02, 0.001, true);
  const auto writes = device.WritesTo(0);
  std::size_t ramp = 0;
  while (ramp < writes.size() && writes[ramp].code == 766) ++ramp;
  ASSERT_LT(ramp, writes.size());
  EXPECT_GT(writes[ramp].code, 700) << "no jump to zero";
  for (std::size_t i = ramp + 1; i < writes.size(); ++i) {
    EXPECT_LE(writes[i].code, writes[i - 1].code);
  }
  EXPECT_EQ(writes.back().code, 511);
}

}  // namespace
}  // namespace tornel
