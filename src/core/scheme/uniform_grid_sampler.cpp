#include "core/scheme/uniform_grid_sampler.h"

#include <cmath>

namespace tornel {

UniformGridSampler::UniformGridSampler(double grid, int64_t maxFrames,
                                       std::span<const double> atStart)
    : grid_(grid),
      maxFrames_(maxFrames),
      previous_(atStart.begin(), atStart.end()),
      frame_(atStart.size()) {}

int64_t UniformGridSampler::PointsWithin(double end, double grid) {
  if (!(end > 0) || !(grid > 0)) return 0;
  return static_cast<int64_t>(std::floor(end / grid * (1 + 1e-12)));
}

void UniformGridSampler::Interpolate(double at, double time, std::span<const double> values) {
  const double span = time - previousTime_;
  const double w = span > 0 ? (at - previousTime_) / span : 1.0;
  // Exact at both ends: a point on a tick takes that tick's values as they are.
  for (std::size_t c = 0; c < frame_.size(); ++c) {
    frame_[c] = (1.0 - w) * previous_[c] + w * values[c];
  }
}

}  // namespace tornel
