#include "core/fit_scheme/fit_scheme.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <vector>

#include "core/scheme/scheme_calculation.h"
#include "core/text/user_error.h"
#include "tests/core/scheme/scheme_fixture.h"
#include "tests/support/fake_device.h"
#include "tests/support/fake_tick_clock.h"

namespace tornel {
namespace {

class FitSchemeTest : public testing::SchemeTest {
protected:
  FitSchemeTest() { clock.SetAutoAdvance(1); }

  static StepFit First(double gain, double t, double delay, double initial) {
    StepFit f;
    f.Kind = FitKind::First;
    f.Converged = true;
    f.Gain = gain;
    f.TimeConstant = t;
    f.Delay = delay;
    f.Initial = initial;
    f.StepTime = 0.1;
    return f;
  }
  static StepFit Second(double gain, double zeta, double wn, double delay, double initial) {
    StepFit f = First(gain, 0, delay, initial);
    f.Kind = FitKind::Second;
    f.TimeConstant = 0;
    f.Damping = zeta;
    f.NaturalFrequency = wn;
    return f;
  }

  // Builds the scheme, runs it with its own settings and compares every
  // sample of the graph block, taken at the end of its step, with the model.
  double WorstError(const StepFit& fit, double endTime) {
    Scheme s = BuildFitScheme(factory, {fit, endTime, "Скорость"});
    EXPECT_EQ(s.CheckInvariants(), "");
    SchemeCalculation calc(device, clock, table);
    const RunResult r = calc.Run(s, {s.EndTime, s.Step, false});
    const TBlock* graph = s.GraphBlock();
    const std::string bytes = testing::ReadBytes(graph->Record->OrigFile);
    std::vector<double> v(bytes.size() / 8);
    if (!v.empty()) std::memcpy(v.data(), bytes.data(), v.size() * 8);
    EXPECT_EQ(v.size(), r.Ticks);
    double worst = 0;
    for (std::size_t i = 0; i < v.size(); ++i) {
      const double t = static_cast<double>(i + 1) * s.Step;
      worst = std::max(worst, std::fabs(v[i] - StepFitValue(fit, t)));
    }
    return worst;
  }

  std::vector<int> Kinds(const Scheme& s) const {
    std::vector<int> kinds;
    for (const auto& b : s.Blocks()) kinds.push_back(b->Kind);
    return kinds;
  }

  testing::FakeTickClock clock;
  testing::FakeDevice device{&clock};
};

// The step switches on the step grid (0.15 s in 1 ms steps), so what is
// left is the method's error and at most one step of the switch: within
// 1 % of the gain.
TEST_F(FitSchemeTest, TheCalculationDrawsTheFittedModel) {
  struct Case {
    const char* name;
    StepFit fit;
  };
  const std::vector<Case> cases = {
      {"lag", First(2.0, 0.1, 0.05, 0.0)},
      {"lagFromAnInitialValue", First(-3.0, 0.2, 0.05, 1.5)},
      {"oscillating", Second(2.0, 0.3, 20, 0.05, 0.0)},
      {"aperiodic", Second(1.0, 2.0, 15, 0.05, -0.5)},
  };
  for (const Case& c : cases) {
    EXPECT_LT(WorstError(c.fit, 2.0), 0.01 * std::fabs(c.fit.Gain)) << c.name;
  }
}

TEST_F(FitSchemeTest, BlocksOfEachModel) {
  const Scheme lag = BuildFitScheme(factory, {First(2.0, 0.1, 0.05, 0.0), 2.0, ""});
  EXPECT_EQ(Kinds(lag), (std::vector<int>{kKindStep, kKindAperiod, kKindGraph}));
  EXPECT_DOUBLE_EQ(lag.Blocks()[0]->Params[1], 0.15);  // switching at T0 + delay
  EXPECT_EQ(lag.Blocks()[1]->Params[0], 2.0);
  EXPECT_EQ(lag.Blocks()[1]->Params[1], 0.1);
  EXPECT_EQ(lag.Lines().size(), 2u);
  EXPECT_EQ(lag.GraphBlock()->Record->ChanName[0], "Модель");

  const Scheme second = BuildFitScheme(factory, {Second(2.0, 0.3, 20, 0, 1.0), 2.0, "Ток"});
  EXPECT_EQ(Kinds(second),
            (std::vector<int>{kKindStep, kKindProporc, kKindSum, kKindSum, kKindIntegr, kKindIntegr,
                              kKindProporc, kKindProporc, kKindSum, kKindStep, kKindGraph}));
  // The integrators' T is 1 / wn, the inner feedback 2 zeta, the outer one
  // 1, the initial value a constant added with a plus.
  EXPECT_EQ(second.Blocks()[4]->Params[0], 1.0 / 20);
  EXPECT_NEAR(second.Blocks()[6]->Params[0], 0.6, 1e-15);
  EXPECT_TRUE(second.Blocks()[6]->Rotated);
  EXPECT_EQ(second.Blocks()[7]->Params[0], 1.0);
  EXPECT_TRUE(second.Blocks()[8]->Option);
  EXPECT_EQ(second.Blocks()[9]->Params[0], 1.0);
  EXPECT_EQ(second.Lines().size(), 12u);
  EXPECT_EQ(second.GraphBlock()->Record->ChanName[0], "Модель: Ток");
  // The record's range holds the 37 % overshoot above 1 + 2.
  EXPECT_GE(second.GraphBlock()->Record->YMax, 1.0 + 2.0 * 1.372);
  EXPECT_LE(second.GraphBlock()->Record->YMin, 1.0);
}

TEST(FitSchemeStep, ResolvesTheFastestModeOnTheDialogsGrid) {
  struct Case {
    StepFit fit;
    double end, step;
  };
  auto first = [](double t) {
    StepFit f;
    f.Kind = FitKind::First;
    f.TimeConstant = t;
    return f;
  };
  auto second = [](double zeta, double wn) {
    StepFit f;
    f.Kind = FitKind::Second;
    f.Damping = zeta;
    f.NaturalFrequency = wn;
    return f;
  };
  const std::vector<Case> cases = {
      {first(0.1), 2.0, 0.001},      // the run: 2 / 2000
      {first(0.001), 2.0, 0.00005},  // T / 20
      {first(1e-6), 2.0, 0.00001},   // never below the grid
      {first(0.0123), 100.0, 0.00061}, {second(0.3, 20), 3.0, 0.0015},
      {second(5, 1), 100.0, 0.00505},  // fast pole 5 + sqrt(24) = 9.899
  };
  for (const Case& c : cases) EXPECT_NEAR(FitSchemeStep(c.fit, c.end), c.step, 1e-12) << c.end;
}

TEST_F(FitSchemeTest, RefusesAFitThatDidNotConverge) {
  StepFit f = First(2.0, 0.1, 0, 0);
  f.Converged = false;
  EXPECT_THROW(BuildFitScheme(factory, {f, 2.0, ""}), UserError);
}

}  // namespace
}  // namespace tornel
