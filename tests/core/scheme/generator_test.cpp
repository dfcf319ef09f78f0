#include <cmath>
#include <vector>

#include "bounded_run.h"

namespace tornel {
namespace {

using GeneratorTest = testing::BoundedRunTest;

// 2π as the generators write it, 15 significant digits.
constexpr double kTwoPi = 6.28318530717958;

std::vector<double> Wave(double (*form)(double), double amplitude, double period, double step,
                         int count) {
  std::vector<double> values;
  for (int k = 1; k <= count; ++k) values.push_back(amplitude * form(kTwoPi * k * step / period));
  return values;
}

// The graph sees each generator at the end of every step, t = h, 2h, ...;
// the steps are powers of two, so those times fall exactly on the switching
// points.
TEST_F(GeneratorTest, EachKindAtAndNextToItsSwitchingPoints) {
  const struct {
    const char* name;
    int kind;
    double p1, p2, step;
    std::vector<double> samples;
    double tolerance;
  } cases[] = {
      {"step: 0 up to and at T", kKindStep, 2, 1, 0.25, {0, 0, 0, 0, 2, 2}, 0},
      {"step of a negative amplitude", kKindStep, -1.5, 0.5, 0.25, {0, 0, -1.5, -1.5}, 0},
      {"ramp: 0 before and at its start", kKindLine, 2, 0.5, 0.25, {0, 0, 0.5, 1, 1.5}, 0},
      {"ramp falling from 0", kKindLine, -4, 0, 0.125, {-0.5, -1, -1.5}, 0},
      {"meander: -Um from the half period",
       kKindMeandr,
       1.5,
       0.5,
       0.125,
       {1.5, -1.5, -1.5, 1.5, 1.5, -1.5, -1.5, 1.5},
       0},
      {"pulse: one step wide at each period",
       kKindImp,
       2,
       1,
       0.125,
       {0, 0, 0, 0, 0, 0, 0, 2, 0, 0},
       0},
      {"pulse: every step when the step exceeds the period", kKindImp, 3, 0.25, 0.5, {3, 3, 3}, 0},
      {"sine", kKindSinT, 1.5, 2, 0.125, Wave(std::sin, 1.5, 2, 0.125, 16), 1e-13},
      {"cosine", kKindCosT, 1.5, 2, 0.125, Wave(std::cos, 1.5, 2, 0.125, 16), 1e-13},
      // After 256 periods the short 2π leaves -7.9e-10; the full one -6e-11.
      {"sine with 2π as written", kKindSinT, 1000, 1.0 / 1024, 0.25,
       Wave(std::sin, 1000, 1.0 / 1024, 0.25, 4), 1e-10},
      {"cosine of a negative amplitude", kKindCosT, -2, 0.5, 0.125,
       Wave(std::cos, -2, 0.5, 0.125, 4), 1e-13},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Fresh();
    Show(Block(c.kind, {c.p1, c.p2, 1}), 0);
    const auto frames = Frames(c.step * static_cast<double>(c.samples.size()), c.step);
    ASSERT_EQ(frames.size(), c.samples.size());
    for (std::size_t f = 0; f < frames.size(); ++f) {
      EXPECT_NEAR(frames[f][0], c.samples[f], c.tolerance) << "t = " << (f + 1) * c.step;
    }
  }
}

// One step of a generator into an integrator (T = 1) gives
// h/6 (f(0) + 4 f(h/2) + f(h)): the stages see the source at the step's
// start, twice at its middle and at its end. h = 1/8 throughout.
TEST_F(GeneratorTest, TheStagesSeeTheSourceAtTheStartMiddleAndEndOfTheStep) {
  const double h = 0.125, w = kTwoPi;
  const struct {
    const char* name;
    int kind;
    double p1, p2;
    double integral;
  } cases[] = {
      {"pulse high at 0 and h/2, low at h", kKindImp, 2, 1, h / 6 * (2 + 4 * 2 + 0)},
      {"meander low at its half period h/2", kKindMeandr, 1, h, h / 6 * (1 - 4 * 1 + 1)},
      {"step at h/2 still 0", kKindStep, 1, h / 2, h / 6 * (0 + 0 + 1)},
      {"step at 0 still 0", kKindStep, 1, 0, h / 6 * (0 + 4 + 1)},
      {"ramp from h/2", kKindLine, 2, h / 2, h / 6 * (0 + 0 + 2 * h / 2)},
      {"ramp from 0", kKindLine, 1, 0, h * h / 2},
      {"sine", kKindSinT, 1.5, 1,
       h / 6 * (0 + 4 * 1.5 * std::sin(w * h / 2) + 1.5 * std::sin(w * h))},
      {"cosine", kKindCosT, 1.5, 1,
       h / 6 * (1.5 + 4 * 1.5 * std::cos(w * h / 2) + 1.5 * std::cos(w * h))},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Fresh();
    TBlock* integr = Block(kKindIntegr, {1, 0, 0});
    Connect(Block(c.kind, {c.p1, c.p2, 1}), integr);
    Show(integr, 0);
    const auto frames = Frames(h, h);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_NEAR(frames[0][0], c.integral, 1e-15);
  }
}

}  // namespace
}  // namespace tornel
