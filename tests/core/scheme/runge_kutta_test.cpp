#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <initializer_list>
#include <utility>
#include <vector>

#include "bounded_run.h"

namespace tornel {
namespace {

class RungeKuttaTest : public testing::BoundedRunTest {
protected:
  // Blocks fed one by the next from `source`, each shown on the graph.
  std::vector<TBlock*> Series(TBlock* source,
                              std::initializer_list<std::pair<int, std::array<double, 3>>> blocks) {
    std::vector<TBlock*> series;
    for (const auto& [kind, params] : blocks) {
      TBlock* block = Block(kind, params);
      Connect(series.empty() ? source : series.back(), block);
      series.push_back(block);
    }
    for (std::size_t i = 0; i < series.size(); ++i) Show(series[i], static_cast<int>(i));
    return series;
  }
};

using Exact = std::function<double(double)>;

struct SeriesCase {
  const char* name;
  double step;  // a power of two, so that model time adds up exactly
  std::function<void()> build;
  std::vector<Exact> exact;  // one per graph input, of the time at the end of the step
  double tolerance;
};

// Blocks in series see each other's values at every stage, so the classic
// method keeps its order through the chain: where the solution is a
// polynomial of degree 3 or less it is exact, elsewhere its error at
// h = 1/256 is far below 1e-8.
TEST_F(RungeKuttaTest, BlocksInSeriesFollowTheirClosedForms) {
  const double h64 = 1.0 / 64, h256 = 1.0 / 256;
  const SeriesCase cases[] = {
      {"three integrators fed by 1",
       h64,
       [&] {
         Series(
             Constant(1),
             {{kKindIntegr, {0.5, 0, 0}}, {kKindIntegr, {2, 0, 0}}, {kKindIntegr, {0.25, 0, 0}}});
       },
       {[](double t) { return 2 * t; }, [](double t) { return t * t / 2; },
        [](double t) { return 2 * t * t * t / 3; }},
       1e-13},
      {"ramp from 0.25 into two integrators",
       h64,
       [&] {
         Series(Block(kKindLine, {3, 0.25, 1}),
                {{kKindIntegr, {1, 0, 0}}, {kKindIntegr, {1, 0, 0}}});
       },
       {[](double t) { return 1.5 * std::pow(std::max(0.0, t - 0.25), 2); },
        [](double t) { return 0.5 * std::pow(std::max(0.0, t - 0.25), 3); }},
       1e-13},
      {"integrator from its initial state",
       h64,
       [&] {
         Series(Constant(-1), {{kKindIntegr, {1, 0.25, 0.25}}});
       },
       {[](double t) { return 0.25 - t; }},
       1e-13},
      // The regulator reads a dynamic block numbered before it, whose value
      // is already that of the next stage when the regulator's is formed.
      {"integrator into a PI regulator into a lag",
       h256,
       [&] {
         Series(
             Constant(1),
             {{kKindIntegr, {1, 0, 0}}, {kKindPIReg, {2, 0.5, 0}}, {kKindAperiod, {1.5, 0.25, 0}}});
       },
       // 2t + t^2 into 1.5 / (1 + 0.25p) from 0.
       {[](double t) { return t; }, [](double t) { return 2 * t + t * t; },
        [](double t) {
          return 1.5 * (t * t + 1.5 * t - 0.375) + 1.5 * 0.25 * 1.5 * std::exp(-t / 0.25);
        }},
       1e-8},
      {"PI regulator from its initial state",
       h64,
       [&] {
         Series(Constant(0.5), {{kKindPIReg, {2, 0.5, 1}}});
       },
       {[](double t) { return 2 * 0.5 + 1 + t; }},
       1e-13},
      {"lag into lag",
       h256,
       [&] {
         Series(Constant(1), {{kKindAperiod, {2, 0.5, 0}}, {kKindAperiod, {1, 0.25, 0}}});
       },
       {[](double t) { return 2 * (1 - std::exp(-2 * t)); },
        [](double t) { return 2 * std::pow(1 - std::exp(-2 * t), 2); }},
       1e-8},
      {"lag decaying from its initial state",
       h256,
       [&] {
         Series(Constant(0), {{kKindAperiod, {5, 0.25, 3}}});
       },
       {[](double t) { return 3 * std::exp(-4 * t); }},
       1e-8},
      {"proportional",
       h64,
       [&] {
         Series(Constant(2), {{kKindProporc, {-1.5, 7, 7}}});
       },
       {[](double) { return -3.0; }},
       0},
      {"integrator closing a loop through a sum",
       h256,
       [&] {
         TBlock* sum = Place(kKindSum);
         Connect(Constant(1), sum, 0);
         TBlock* integr = Series(sum, {{kKindIntegr, {0.25, 0, 0}}})[0];
         Connect(integr, sum, 1);
       },
       {[](double t) { return 1 - std::exp(-4 * t); }},
       1e-8},
      // The gain is evaluated before the limiter in each stage, so in the very
      // first stage it still reads the limiter's starting 0: k1 = 0, and the
      // integral lags h/6 behind t from then on.
      {"gain reading a limiter evaluated after it",
       h64,
       [&] {
         Series(Constant(0.75),
                {{kKindOgr, {0.5, 1, 1}}, {kKindProporc, {2, 1, 1}}, {kKindIntegr, {1, 0, 0}}});
       },
       {[](double) { return 0.5; }, [](double) { return 1.0; },
        [h64](double t) { return t - h64 / 6; }},
       1e-13},
  };
  for (const SeriesCase& c : cases) {
    SCOPED_TRACE(c.name);
    Fresh();
    c.build();
    const auto frames = Frames(1.0, c.step);
    ASSERT_EQ(frames.size(), static_cast<std::size_t>(1.0 / c.step));
    for (std::size_t f = 0; f < frames.size(); ++f) {
      const double t = static_cast<double>(f + 1) * c.step;
      ASSERT_EQ(frames[f].size(), c.exact.size());
      for (std::size_t i = 0; i < c.exact.size(); ++i) {
        ASSERT_NEAR(frames[f][i], c.exact[i](t), c.tolerance) << "input " << i << " at t = " << t;
      }
    }
  }
}

// A sine integrated over a quarter period: the method is Simpson's rule on
// each step, whose error is h^4 / 2880 * (f'''(T/4) - f'''(0)), so halving
// the step divides it by 16. Sources evaluated at the wrong stage times make
// it first order (a factor of 2).
TEST_F(RungeKuttaTest, ASineIntegratesWithFourthOrderError) {
  const double amplitude = 1.5, w = 6.28318530717958;  // period 1 s
  TBlock* integr = Block(kKindIntegr, {1, 0, 0});
  Connect(Block(kKindSinT, {amplitude, 1, 1}), integr);
  Show(integr, 0);
  double error[2];
  const double steps[2] = {1.0 / 32, 1.0 / 64};
  for (int i = 0; i < 2; ++i) {
    const auto frames = Frames(0.25, steps[i]);
    ASSERT_EQ(frames.size(), static_cast<std::size_t>(0.25 / steps[i]));
    error[i] = frames.back()[0] - amplitude / w * (1 - std::cos(w * 0.25));
    const double leading = std::pow(steps[i], 4) / 2880 * amplitude * w * w * w;
    EXPECT_NEAR(error[i], leading, 0.05 * leading) << steps[i];
  }
  EXPECT_NEAR(error[0] / error[1], 16.0, 0.5);
}

// h / (4 Tзи) a stage while below the input, the input itself from the
// first stage that finds the value at or above it: the value may pass the
// input by one stage's rise before it is pulled back.
TEST_F(RungeKuttaTest, RampLimiterRisesByStagesAndMeetsItsInput) {
  const struct {
    const char* name;
    double step;
    double input;  // NAN: a square wave 1 / -1 of period 1 s
    double rampTime;
    std::vector<double> samples;
  } cases[] = {
      {"reaches the input at the third stage", 0.25, 3.0 / 16, 1, {0.1875, 0.1875, 0.1875}},
      {"passes the input for one stage", 0.25, 0.3, 1, {0.25, 0.3, 0.3}},
      {"falls at once", 0.25, -0.5, 1, {-0.5, -0.5}},
      {"1 per Tзи seconds",
       0.125,
       1,
       2,
       {1. / 16, 2. / 16, 3. / 16, 4. / 16, 5. / 16, 6. / 16, 7. / 16, 8. / 16, 9. / 16, 10. / 16,
        11. / 16, 12. / 16, 13. / 16, 14. / 16, 15. / 16, 1, 1, 1}},
      // The fourth stage of the fourth step sees the wave's half period.
      {"follows a fall within the step", 0.125, NAN, 0.25, {0.5, 1, 1, -1, -1}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Fresh();
    TBlock* zi = Block(kKindZi, {c.rampTime, 1, 1});
    Connect(std::isnan(c.input) ? Block(kKindMeandr, {1, 1, 1}) : Constant(c.input), zi);
    Show(zi, 0);
    const auto frames = Frames(c.step * static_cast<double>(c.samples.size()), c.step);
    ASSERT_EQ(frames.size(), c.samples.size());
    for (std::size_t f = 0; f < frames.size(); ++f) {
      EXPECT_EQ(frames[f][0], c.samples[f]) << "step " << f + 1;
    }
  }
}

}  // namespace
}  // namespace tornel
