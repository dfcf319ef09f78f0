#include "core/analysis/step_response.h"

#include <cmath>

namespace tornel {
namespace {

// Past this exponent e^(-x) (4e-18) no longer changes 1 in a double, so a
// long record's settled frames cost no exponentials.
constexpr double kGone = 40.0;

// sin(x) / x and sinh(x) / x, exact to double precision near 0.
double Sinc(double x) { return std::fabs(x) < 1e-4 ? 1.0 - x * x / 6.0 : std::sin(x) / x; }

}  // namespace

double FirstOrderStep(double s, double timeConstant) {
  if (!(s > 0)) return 0.0;
  if (s > kGone * timeConstant) return 1.0;
  return -std::expm1(-s / timeConstant);
}

double SecondOrderStep(double s, double damping, double naturalFrequency) {
  if (!(s > 0)) return 0.0;
  const double a = damping * naturalFrequency;  // decay rate
  const double d = 1.0 - damping * damping;
  if (d >= 0) {
    if (a * s > kGone) return 1.0;
    // e^(-a s) (cos(wd s) + a sin(wd s) / wd)
    const double wd = naturalFrequency * std::sqrt(d);
    const double x = wd * s;
    return 1.0 - std::exp(-a * s) * (std::cos(x) + a * s * Sinc(x));
  }
  // e^(-a s) (cosh(h s) + a sinh(h s) / h), written with the two decays
  // a - h and a + h so that nothing overflows for long times.
  const double h = naturalFrequency * std::sqrt(-d);
  if ((a - h) * s > kGone) return 1.0;
  const double slow = std::exp(-(a - h) * s);
  const double fast = std::exp(-(a + h) * s);
  const double cosh = 0.5 * (slow + fast);
  const double hs = h * s;
  const double sinhOverH =
      hs < 1e-4 ? s * std::exp(-a * s) * (1.0 + hs * hs / 6.0) : (slow - fast) / (2.0 * h);
  return 1.0 - cosh - a * sinhOverH;
}

}  // namespace tornel
