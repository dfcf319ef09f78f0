#pragma once

#include <cmath>
#include <cstdint>

#include "core/scheme/block_kind.h"

namespace tornel {

// 2π cut to 15 significant digits, as the generators have always used it.
inline constexpr double kGeneratorTwoPi = 6.28318530717958;

// A generator's value at model time t with step h; P1 = Params[0] (the
// amplitude, or the ramp's slope), P2 = Params[1] (switching time, start
// time or period).
inline double GeneratorValue(int kind, double p1, double p2, double t, double h) {
  switch (kind) {
    case kKindStep:
      return t > p2 ? p1 : 0.0;
    case kKindLine:
      return t >= p2 ? (t - p2) * p1 : 0.0;
    case kKindMeandr:
      return std::fmod(t, p2) < p2 * 0.5 ? p1 : -p1;
    case kKindImp:
      return std::fmod(t, p2) < h ? p1 : 0.0;
    case kKindSinT:
      return p1 * std::sin(kGeneratorTwoPi * t / p2);
    case kKindCosT:
      return p1 * std::cos(kGeneratorTwoPi * t / p2);
    default:
      return 0.0;
  }
}

// dx/dt of a dynamic block with state x and input u.
inline double Derivative(int kind, double p1, double p2, double x, double u) {
  switch (kind) {
    case kKindIntegr:
      return u / p1;
    case kKindAperiod:
      return (p1 * u - x) / p2;
    case kKindPIReg:
      return u / p2;
    default:
      return 0.0;
  }
}

// A dynamic block's output: its state, and for the PI regulator K·u + x.
inline double DynamicOutput(int kind, double p1, double x, double u) {
  return kind == kKindPIReg ? p1 * u + x : x;
}

// The ramp limiter in one Runge-Kutta stage: falls follow the input at once,
// rises go by h / (4 P1) a stage, that is 1 per P1 seconds.
inline double RampLimiterStage(double value, double u, double p1, double h) {
  return value >= u ? u : value + h / (4.0 * p1);
}

// The limiter: ±P1 with the sign of u past the level, else u. An input of
// exactly 0 gives 0 whatever the level.
inline double LimiterValue(double u, double p1) {
  if (u == 0.0) return 0.0;
  return std::fabs(u) > p1 ? std::fabs(u) * p1 / u : u;
}

}  // namespace tornel
