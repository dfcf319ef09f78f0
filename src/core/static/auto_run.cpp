#include "core/static/auto_run.h"

#include <cmath>

#include "core/config/channel_table.h"
#include "core/static/truncate_to_int.h"

namespace tornel {

AutoRunCheck CheckAutoRun(const AutoRunRequest& r) {
  if (r.Points == 0 || r.TimeStep == 0 || r.End - r.Start == 0) return {};
  if (r.Points < 2) return {false, "Количество точек должно быть не меньше 2"};
  if (!(r.TimeStep >= 0.001)) return {false, "Шаг по времени должен быть не меньше 0,001 с"};
  if (r.TimeStep > kMaxAutoTimeStep) return {false, "Шаг по времени должен быть не больше 60 с"};
  return {true, {}};
}

AutoRun::AutoRun(const AutoRunRequest& r)
    : end_(r.End),
      increment_((r.End - r.Start) / (r.Points - 1)),
      value_(r.Start),
      intervalMs_(TruncateToInt(r.TimeStep * 1000)) {}

std::optional<double> AutoRun::NextAfterPoint() {
  value_ += increment_;
  if (std::fabs(increment_ * 0.5) > std::fabs(end_ - value_)) value_ = end_;
  if (stopRequested_ || atEnd_) return std::nullopt;
  atEnd_ = value_ == end_;  // the end point is still to come
  return value_;
}

int PositionOfValue(double value, double base) {
  double level = value / base * kFullScaleCode;
  return std::isfinite(level) ? TruncateToInt(level) : 0;
}

double ValueOfPosition(int position, double base) { return base * position / kFullScaleCode; }

}  // namespace tornel
