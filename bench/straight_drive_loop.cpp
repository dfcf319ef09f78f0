// The drive loop as straight-line code (drive_loop_by_hand.h) for 10 s at
// h = 1e-5, its 1,000,000 frames (integrator, limiter) written as doubles
// to the file named on the command line. The floor that `tornel-tool
// run-scheme` is measured against (bench/run_scheme_vs_straight.sh).
#include <cstdio>
#include <vector>

#include "drive_loop_by_hand.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: straight_drive_loop OUT\n");
    return 2;
  }
  std::vector<double> frames;
  frames.reserve(2 * 1000001);
  DriveLoopByHand(1e-5, 10.0, [&](double integrator, double limiter) {
    frames.push_back(integrator);
    frames.push_back(limiter);
  });
  std::FILE* out = std::fopen(argv[1], "wb");
  if (!out) return 1;
  const bool written =
      std::fwrite(frames.data(), sizeof(double), frames.size(), out) == frames.size();
  return std::fclose(out) == 0 && written ? 0 : 1;
}
