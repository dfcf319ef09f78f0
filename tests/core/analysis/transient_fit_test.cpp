#include "core/analysis/transient_fit.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include "core/analysis/step_response.h"
#include "step_records.h"

namespace tornel {
namespace {

using testing::StepRecord;

// The two-pole aperiodic response written out: p1,2 = wn (zeta -/+ sqrt(zeta^2 - 1)).
double TwoPoles(double s, double zeta, double wn) {
  const double r = std::sqrt(zeta * zeta - 1);
  const double p1 = wn * (zeta - r), p2 = wn * (zeta + r);
  return 1 - (p2 * std::exp(-p1 * s) - p1 * std::exp(-p2 * s)) / (p2 - p1);
}

TEST(StepResponse, MatchesTheTextbookForms) {
  struct Case {
    double s, zeta, wn, want;
    double tolerance = 1e-12;
  };
  const std::vector<Case> cases = {
      {0.05, 0.3, 20, testing::Oscillating(0.05, 0.3, 20)},
      {0.5, 0.3, 20, testing::Oscillating(0.5, 0.3, 20)},
      {2.0, 1.0, 1, 1 - std::exp(-2.0) * 3.0},  // critical: 1 - e^(-s)(1 + s)
      {1e-6, 1.0, 1, 1 - std::exp(-1e-6) * (1 + 1e-6)},
      // Either side of 1 the forms meet the critical one without a jump.
      {2.0, 1 + 1e-9, 1, 1 - std::exp(-2.0) * 3.0, 1e-8},
      {2.0, 1 - 1e-9, 1, 1 - std::exp(-2.0) * 3.0, 1e-8},
      {0.7, 2.0, 3, TwoPoles(0.7, 2.0, 3)},
      // Long after a strongly damped step the slow pole 0.05 s^-1 still holds it back.
      {100, 10.0, 1, TwoPoles(100, 10.0, 1)},
      {1e6, 0.3, 20, 1.0},
      {0, 0.3, 20, 0.0},
      {-1, 2.0, 3, 0.0},
  };
  for (const Case& c : cases) {
    EXPECT_NEAR(SecondOrderStep(c.s, c.zeta, c.wn), c.want, c.tolerance)
        << "s=" << c.s << " zeta=" << c.zeta;
  }
  EXPECT_NEAR(FirstOrderStep(0.1, 0.1), 1 - std::exp(-1.0), 1e-15);
  EXPECT_EQ(FirstOrderStep(0, 0.1), 0);
}

// Uniform integer noise in [-a, a] from a fixed linear congruential
// sequence; its root mean square is sqrt(((2a + 1)^2 - 1) / 12).
class Noise {
public:
  int16_t Next(int a) {
    x_ = x_ * 1103515245u + 12345u;
    return static_cast<int16_t>(static_cast<int>((x_ >> 8) % (2 * a + 1)) - a);
  }

private:
  uint32_t x_ = 7;
};

struct FitCase {
  const char* name;
  FitKind kind;
  double gain, t, zeta, wn, delay;
};

class FitRecords : public ::testing::TestWithParam<FitCase> {
protected:
  testing::TempDir dir;
};

// 2 s of 1 ms frames, the step at T0 = 0.5 s, noise of +-50 codes after it
// only: the fit finds the model, and its residuals are the noise, whose RMS
// is sqrt((101^2 - 1) / 12) = 29.15 codes (taking the 500 quiet frames before
// T0 in would make it 25.2).
TEST_P(FitRecords, FindsTheModelUnderNoise) {
  const FitCase& c = GetParam();
  auto shape = [&c](double s) {
    if (s <= c.delay) return 0.0;
    s -= c.delay;
    if (c.kind == FitKind::First) return testing::Lag(s, c.t);
    return c.zeta < 1 ? testing::Oscillating(s, c.zeta, c.wn) : TwoPoles(s, c.zeta, c.wn);
  };
  std::vector<int16_t> codes = testing::Sampled(2000, 2.0, 0.5, c.gain, shape);
  Noise noise;
  for (std::size_t i = 500; i < codes.size(); ++i) codes[i] += noise.Next(50);
  StepRecord r(dir, codes, 2.0);
  const StepOptions options{0.5, 5};
  const StepMetrics m = MeasureSteps(r.source, std::span(&r.channel, 1), options).at(0);
  const StepFit fit = FitStep(r.source, r.channel, m, options, c.kind);
  ASSERT_TRUE(fit.Converged);
  EXPECT_EQ(fit.Kind, c.kind);
  EXPECT_EQ(fit.Initial, 0);
  EXPECT_EQ(fit.StepTime, 0.5);
  EXPECT_NEAR(fit.Gain, c.gain, std::fabs(c.gain) * 0.003);
  EXPECT_NEAR(fit.Delay, c.delay, 0.001);
  if (c.kind == FitKind::First) {
    EXPECT_NEAR(fit.TimeConstant, c.t, c.t * 0.01);
  } else {
    EXPECT_NEAR(fit.Damping, c.zeta, c.zeta * 0.02);
    EXPECT_NEAR(fit.NaturalFrequency, c.wn, c.wn * 0.01);
  }
  EXPECT_NEAR(fit.Rms, 29.15, 1.2);
  // The model the fit reports is the one it measured.
  EXPECT_NEAR(StepFitValue(fit, 0.5 + fit.Delay + 0.05), c.gain * shape(0.05 + c.delay),
              std::fabs(c.gain) * 0.01);
}

INSTANTIATE_TEST_SUITE_P(
    Models, FitRecords,
    ::testing::Values(FitCase{"lag", FitKind::First, 10000, 0.1, 0, 0, 0.02},
                      FitCase{"lagFalling", FitKind::First, -8000, 0.2, 0, 0, 0},
                      FitCase{"oscillating", FitKind::Second, 10000, 0, 0.3, 20, 0.01},
                      FitCase{"aperiodic", FitKind::Second, 10000, 0, 2.0, 30, 0.005}),
    [](const auto& info) { return std::string(info.param.name); });

// A lag of 0.05 s in a record of 200 s: the coarse points alone are 0.1 s
// apart, so only the finer copy over the transient can find T.
TEST(TransientFit, ShortTransientInALongRecord) {
  testing::TempDir dir;
  StepRecord r(
      dir,
      testing::Sampled(200000, 200.0, 1.0, 10000, [](double s) { return testing::Lag(s, 0.05); }),
      200.0);
  const StepOptions options{1.0, 5};
  const StepMetrics m = MeasureSteps(r.source, std::span(&r.channel, 1), options).at(0);
  const StepFit fit = FitStep(r.source, r.channel, m, options, FitKind::First);
  ASSERT_TRUE(fit.Converged);
  EXPECT_NEAR(fit.TimeConstant, 0.05, 0.0005);
  EXPECT_NEAR(fit.Delay, 0, 0.0005);
  EXPECT_LT(fit.Rms, 0.5);  // rounding to codes only
}

TEST(TransientFit, SaysWhenItDoesNotConvergeOrHasNoStep) {
  testing::TempDir dir;
  StepRecord r(dir,
               testing::Sampled(2000, 2.0, 0.5, 10000,
                                [](double s) { return testing::Oscillating(s, 0.3, 20); }),
               2.0);
  const StepOptions options{0.5, 5};
  const StepMetrics m = MeasureSteps(r.source, std::span(&r.channel, 1), options).at(0);
  FitOptions starved;
  starved.MaxEvaluations = 2;
  const StepFit stopped = FitStep(r.source, r.channel, m, options, FitKind::Second, starved);
  EXPECT_FALSE(stopped.Converged);
  EXPECT_EQ(stopped.Kind, FitKind::Second);

  StepMetrics flat = m;
  flat.HasStep = false;
  EXPECT_FALSE(FitStep(r.source, r.channel, flat, options, FitKind::First).Converged);
}

}  // namespace
}  // namespace tornel
