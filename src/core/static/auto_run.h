#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace tornel {

// One automatic run as confirmed for the driven DAC: the reference signal's
// start and end in the DAC's physical units, the number of points and the
// settling time before each point, s.
struct AutoRunRequest {
  double Start = 0;
  double End = 0;
  int32_t Points = 0;
  double TimeStep = 0;
};

// The longest settling time a run accepts, s. Longer ones are nearly always
// milliseconds typed as seconds, and would hold the bench at each point.
inline constexpr double kMaxAutoTimeStep = 60;

// Whether a request may start. A run without points, without a time step or
// over an empty range is simply not started (no message); one point (no
// increment) and a time step the timer cannot keep (below 0.001 s, above
// kMaxAutoTimeStep) are refused with the message the user sees.
struct AutoRunCheck {
  bool Starts = false;
  std::string Message;  // empty when nothing is to be said
};
AutoRunCheck CheckAutoRun(const AutoRunRequest& request);

// The stepping of a run that CheckAutoRun let start. The first point is taken
// at Start; after each point NextAfterPoint says where the next one lies, the
// last step snapped onto End so that rounding never costs or adds a point.
class AutoRun {
public:
  explicit AutoRun(const AutoRunRequest& request);

  double Value() const { return value_; }
  double Increment() const { return increment_; }
  // The settling timer's interval.
  int TimerIntervalMs() const { return intervalMs_; }

  // "Стоп", or a point that could not be written: no further point.
  void RequestStop() { stopRequested_ = true; }
  bool StopRequested() const { return stopRequested_; }

  // Called after each point: the next set value, or nothing when the run is
  // over (the end point recorded, or a stop requested).
  std::optional<double> NextAfterPoint();

private:
  double end_;
  double increment_;
  double value_;
  int intervalMs_;
  bool stopRequested_ = false;
  bool atEnd_ = false;  // the value handed out last was the end point
};

// A DAC's physical value as a track-bar position (a level in codes):
// trunc(value / base × 511); 0 when the base gives no number.
int PositionOfValue(double value, double base);
// A track-bar position as the DAC's physical value: base × position / 511.
double ValueOfPosition(int position, double base);

}  // namespace tornel
