#pragma once

#include <cstdint>
#include <span>
#include <vector>

namespace tornel {

// Puts frames that arrive at ticks of changing length onto the uniform
// model-time grid g, 2g, 3g, ...: each grid point takes the values
// interpolated linearly between the two ticks around it. A real-time run's
// record thus keeps model time on its time axis however the step changed.
class UniformGridSampler {
public:
  // `atStart`: the values at model time 0. At most maxFrames points.
  UniformGridSampler(double grid, int64_t maxFrames, std::span<const double> atStart);

  // The values reached at model time `time` (not before the last call's).
  // Calls emit(frame) for every grid point passed since then.
  template <typename Emit>
  void Advance(double time, std::span<const double> values, Emit&& emit) {
    while (next_ <= maxFrames_ && PointTime(next_) <= time) {
      Interpolate(PointTime(next_), time, values);
      emit(std::span<const double>(frame_));
      ++next_;
    }
    previousTime_ = time;
    previous_.assign(values.begin(), values.end());
  }

  int64_t Frames() const { return next_ - 1; }

  // Grid points within `end`, a point a hair past it from rounding included.
  static int64_t PointsWithin(double end, double grid);

private:
  double PointTime(int64_t k) const { return static_cast<double>(k) * grid_; }
  void Interpolate(double at, double time, std::span<const double> values);

  double grid_;
  int64_t maxFrames_;
  int64_t next_ = 1;
  double previousTime_ = 0.0;
  std::vector<double> previous_;
  std::vector<double> frame_;
};

}  // namespace tornel
