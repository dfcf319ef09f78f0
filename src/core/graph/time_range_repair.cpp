#include "core/graph/time_range_repair.h"

namespace tornel {

TimeRange RepairTimeRange(TimeRange typed, double duration) {
  TimeRange r = typed;
  if (r.TMin < 0) r.TMin = 0;
  if (r.TMax > duration) r.TMax = duration;
  if (r.TMin >= r.TMax) r = {0, duration};
  return r;
}

}  // namespace tornel
