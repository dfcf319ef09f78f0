#include "core/analysis/transient_fit.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "core/analysis/channel_stream.h"
#include "core/analysis/fit_series.h"
#include "core/analysis/least_squares.h"
#include "core/analysis/step_response.h"

namespace tornel {
namespace {

// The solver's parameters: the gain as it is, the positive quantities as
// logarithms and the delay as the square of its root, so that every vector
// it tries is a valid model.
double DelayOf(double root) { return root * root; }
double RootOf(double delay) { return std::sqrt(std::max(delay, 0.0)); }

StepFit FromParameters(FitKind kind, std::span<const double> x, double initial, double stepTime) {
  StepFit f;
  f.Kind = kind;
  f.Initial = initial;
  f.StepTime = stepTime;
  f.Gain = x[0];
  if (kind == FitKind::First) {
    f.TimeConstant = std::exp(x[1]);
    f.Delay = DelayOf(x[2]);
  } else {
    f.Damping = std::exp(x[1]);
    f.NaturalFrequency = std::exp(x[2]);
    f.Delay = DelayOf(x[3]);
  }
  return f;
}

// When the unit second-order response with wn = 1 first reaches `level`.
double UnitCrossing(double damping, double level) {
  constexpr double kStep = 0.01, kEnd = 400.0;
  double lo = 0;
  for (double s = kStep; s < kEnd; s += kStep) {
    if (SecondOrderStep(s, damping, 1.0) >= level) {
      double hi = s;
      for (int i = 0; i < 40; ++i) {
        const double mid = 0.5 * (lo + hi);
        (SecondOrderStep(mid, damping, 1.0) >= level ? hi : lo) = mid;
      }
      return hi;
    }
    lo = s;
  }
  return kEnd;
}

struct Estimates {
  double gain = 0, rise = 0, delay = 0, peakTime = 0, overshoot = 0, frame = 0;
};

std::vector<std::vector<double>> FirstOrderStarts(const Estimates& e) {
  const double t = std::max(e.rise / std::log(9.0), e.frame);
  // n reaches 0.1 at delay + T ln(10/9) and 0.5 at delay + T ln 2.
  const double delay = std::max(0.0, e.delay - t * std::numbers::ln2);
  return {{e.gain, std::log(t), RootOf(std::max(delay, e.frame))}, {e.gain, std::log(t), 0.0}};
}

std::vector<std::vector<double>> SecondOrderStarts(const Estimates& e) {
  std::vector<std::pair<double, double>> shapes;  // damping, natural frequency
  if (e.overshoot > 0.005) {
    const double l = std::log(e.overshoot);
    const double zeta = -l / std::sqrt(std::numbers::pi * std::numbers::pi + l * l);
    const double wn0 =
        std::numbers::pi / (std::max(e.peakTime, e.frame) * std::sqrt(1 - zeta * zeta));
    const double delay = std::max(0.0, e.delay - UnitCrossing(zeta, 0.5) / wn0);
    const double wn =
        std::numbers::pi / (std::max(e.peakTime - delay, e.frame) * std::sqrt(1 - zeta * zeta));
    shapes.emplace_back(zeta, wn);
  }
  for (double zeta : {0.5, 1.0, 2.0}) {
    const double unitRise = UnitCrossing(zeta, 0.9) - UnitCrossing(zeta, 0.1);
    shapes.emplace_back(zeta, unitRise / std::max(e.rise, e.frame));
  }
  std::vector<std::vector<double>> starts;
  for (auto [zeta, wn] : shapes) {
    const double delay = std::max(0.0, e.delay - UnitCrossing(zeta, 0.5) / wn);
    starts.push_back({e.gain, std::log(zeta), std::log(wn), RootOf(std::max(delay, e.frame))});
  }
  return starts;
}

double ResidualRms(const TransientSource& source, const AnalysisChannel& channel, int64_t first,
                   const StepFit& fit) {
  double sum = 0;
  int64_t count = 0;
  StreamChannel(source, channel, first, [&](int64_t frame, double value) {
    const double r = value * channel.Scale - StepFitValue(fit, source.FrameTime(frame));
    sum += r * r;
    ++count;
  });
  return count > 0 ? std::sqrt(sum / static_cast<double>(count)) : 0.0;
}

}  // namespace

double StepFitValue(const StepFit& fit, double t) {
  const double s = t - fit.StepTime - fit.Delay;
  switch (fit.Kind) {
    case FitKind::First:
      return fit.Initial + fit.Gain * FirstOrderStep(s, fit.TimeConstant);
    case FitKind::Second:
      return fit.Initial + fit.Gain * SecondOrderStep(s, fit.Damping, fit.NaturalFrequency);
    case FitKind::None:
      break;
  }
  return fit.Initial;
}

StepFit FitStep(const TransientSource& source, const AnalysisChannel& channel,
                const StepMetrics& metrics, const StepOptions& options, FitKind kind,
                const FitOptions& fitOptions) {
  StepFit best;
  best.Kind = kind;
  best.Initial = metrics.Initial;
  best.StepTime = options.StepTime;
  if (kind == FitKind::None || !metrics.HasStep) return best;

  const double t0 = options.StepTime;
  const double frame = source.Duration / static_cast<double>(source.Frames);
  Estimates e;
  e.gain = metrics.Final - metrics.Initial;
  e.frame = frame;
  e.rise = metrics.RiseTime.value_or(0.0);
  e.delay = metrics.DelayTime.value_or(0.0);
  e.peakTime = metrics.PeakTime;
  e.overshoot = metrics.OvershootPct / 100.0;

  // Finer points over the transient: up to twice its settling time, or six
  // times its rise when it never settles.
  double length = source.Duration - t0;
  if (metrics.SettlingTime && *metrics.SettlingTime > 0) {
    length = 2.0 * *metrics.SettlingTime;
  } else if (metrics.T90) {
    length = 6.0 * (*metrics.T90 - t0);
  }
  const int64_t first = FirstFrameAtOrAfter(source, t0);
  const int64_t fineEnd = FirstFrameAtOrAfter(source, t0 + length);
  const std::vector<FitPoint> points =
      DecimatedSeries(source, channel, first, fineEnd, fitOptions.PointsPerPart);

  const ResidualFunction residuals = [&](std::span<const double> x, std::span<double> r) {
    const StepFit f = FromParameters(kind, x, metrics.Initial, t0);
    for (std::size_t i = 0; i < points.size(); ++i)
      r[i] = StepFitValue(f, points[i].t) - points[i].y;
  };
  const auto starts = kind == FitKind::First ? FirstOrderStarts(e) : SecondOrderStarts(e);
  double bestCost = INFINITY;
  bool bestConverged = false;
  for (const std::vector<double>& start : starts) {
    const LeastSquaresResult r =
        SolveLeastSquares(residuals, points.size(), start, fitOptions.MaxEvaluations);
    // A converged fit beats any that is not; among equals the smaller cost.
    const bool better = r.converged != bestConverged ? r.converged : r.sumOfSquares < bestCost;
    if (std::isfinite(r.sumOfSquares) && (better || !std::isfinite(bestCost))) {
      best = FromParameters(kind, r.x, metrics.Initial, t0);
      best.Converged = r.converged;
      bestCost = r.sumOfSquares;
      bestConverged = r.converged;
    }
  }
  best.Rms = ResidualRms(source, channel, first, best);
  return best;
}

}  // namespace tornel
