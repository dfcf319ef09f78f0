#pragma once

namespace tornel {

struct TimeRange {
  double TMin = 0;
  double TMax = 0;
  bool operator==(const TimeRange&) const = default;
};

// The time axis range as the settings dialog stores it: a negative start
// becomes 0, an end past the record becomes its Duration, and a range that is
// then empty or reversed becomes the whole record, 0 .. Duration.
TimeRange RepairTimeRange(TimeRange typed, double duration);

}  // namespace tornel
