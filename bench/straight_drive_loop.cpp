// The drive loop of bench_scheme written out as straight-line code: the
// same RK4 in the same evaluation order for 10 s at h = 1e-5, its 1,000,000
// frames (integrator, limiter) written as doubles to the file named on the
// command line. The floor that `tornel-tool run-scheme` is measured against
// (bench/run_scheme_vs_straight.sh).
#include <cmath>
#include <cstdio>
#include <vector>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: straight_drive_loop OUT\n");
    return 2;
  }
  constexpr double kStep = 1e-5;
  constexpr double kEnd = 10.0;
  std::vector<double> frames;
  frames.reserve(2 * 1000001);
  // States: PI, lag, integrator.
  double x[3] = {0, 0, 0}, x0[3], acc[3], k[3];
  double vPi = 0, vLag = 0, vInt = 0, vOgr = 0;
  double time = 0;
  while (time < kEnd) {
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
      c = s == 3 ? kStep : kStep / 2;
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
    frames.push_back(vInt);
    frames.push_back(vOgr);
  }
  std::FILE* out = std::fopen(argv[1], "wb");
  if (!out) return 1;
  const bool written =
      std::fwrite(frames.data(), sizeof(double), frames.size(), out) == frames.size();
  return std::fclose(out) == 0 && written ? 0 : 1;
}
