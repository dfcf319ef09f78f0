#pragma once

#include <optional>
#include <span>
#include <vector>

#include "core/analysis/transient_source.h"

namespace tornel {

struct StepOptions {
  double StepTime = 0;  // T0, s
  int SettleBand = 5;   // %, 5 or 2
};

// What one channel does after a step at T0, in its physical units and in
// seconds. y0 is the mean of the frames before T0 (the first frame when there
// are none), yf the mean of the last 5 % of the frames (at least one), and
// n = (y - y0) / (yf - y0).
//
// T10, T50 and T90 are the record times at which n first reaches 0.1, 0.5
// and 0.9 at or after T0, interpolated linearly with the frame before (that
// frame's time when it was already past the level); none when it never does.
// The peak is the first frame at or after T0 with the largest n. The record
// settles at frame j + 1 after the last frame j at or after T0 outside the
// band |y - yf| <= SettleBand % of |yf - y0|: at T0 when no frame leaves it,
// never when j is the last frame.
struct StepMetrics {
  // |yf - y0| is at least one code; without a step nothing else is measured.
  bool HasStep = false;
  double Initial = 0;
  double Final = 0;
  std::optional<double> T10, T50, T90;
  std::optional<double> RiseTime;   // T90 - T10
  std::optional<double> DelayTime;  // T50 - T0
  double Peak = 0;
  double PeakAt = 0;    // record time
  double PeakTime = 0;  // PeakAt - T0
  double OvershootPct = 0;
  std::optional<double> SettledAt;     // record time
  std::optional<double> SettlingTime;  // SettledAt - T0
  double SettledValue = 0;             // y at SettledAt
};

// The metrics of every channel in one pass over the record after a read of
// its last 5 %, through a buffer of a few thousand frames. Throws UserError
// (naming source.Name) for a static record, a record without frames, a T0
// outside the record or a sample file that cannot be opened.
std::vector<StepMetrics> MeasureSteps(const TransientSource& source,
                                      std::span<const AnalysisChannel> channels,
                                      const StepOptions& options);

// The first frame at or after `time`; source.Frames when there is none.
int64_t FirstFrameAtOrAfter(const TransientSource& source, double time);

// Throws UserError for what MeasureSteps refuses before reading.
void CheckTransientSource(const TransientSource& source, const StepOptions& options);

}  // namespace tornel
