#pragma once

#include <cmath>
#include <cstdint>

// The drive loop of bench_scheme written out by hand: step (0 -> 1 at
// 0.1 s) -> sum -> PI (K 2, T 0.05) -> limiter +-1.5 -> lag (K 1, T 0.01)
// -> integrator (T 0.2) -> back into the sum, with the engine's RK4 in the
// engine's evaluation order. Calls frame(integrator, limiter) after every
// step; returns the number of steps.
template <typename Frame>
uint64_t DriveLoopByHand(double step, double end, Frame&& frame) {
  // States: PI, lag, integrator, in the engine's order.
  double x[3] = {0, 0, 0}, x0[3], acc[3], k[3];
  double vPi = 0, vLag = 0, vInt = 0, vOgr = 0;
  double time = 0;
  uint64_t steps = 0;
  while (time < end) {
    const double t0 = time;
    for (int i = 0; i < 3; ++i) x0[i] = acc[i] = x[i];
    double c = 0;
    double vSum = 0;
    for (int s = 1; s <= 4; ++s) {
      time = t0 + c;
      const double vStep = time > 0.1 ? 1.0 : 0.0;
      vSum = vStep - vInt;
      vOgr = vPi == 0.0 ? 0.0 : (std::fabs(vPi) > 1.5 ? std::fabs(vPi) * 1.5 / vPi : vPi);
      k[0] = vSum / 0.05;
      k[1] = (1.0 * vOgr - x[1]) / 0.01;
      k[2] = vLag / 0.2;
      c = s == 3 ? step : step / 2;
      for (int i = 0; i < 3; ++i) {
        const double d = c * k[i];
        x[i] = x0[i] + d;
        acc[i] += s == 2 ? 2 * d / 3 : d / 3;
      }
      vPi = 2.0 * vSum + x[0];
      vLag = x[1];
      vInt = x[2];
    }
    for (int i = 0; i < 3; ++i) x[i] = acc[i];
    vPi = 2.0 * vSum + x[0];
    vLag = x[1];
    vInt = x[2];
    frame(vInt, vOgr);
    ++steps;
  }
  return steps;
}
