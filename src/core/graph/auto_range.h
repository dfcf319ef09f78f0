#pragma once

#include "core/records/graph_record.h"

namespace tornel {

struct AxisRange {
  double Min = 0;
  double Max = 0;
  bool operator==(const AxisRange&) const = default;
};

// The axis range that shows every value of the channels the axis plots
// (DepChannelMask(axis)) over the whole sample file, in per-unit values
// code / FullScale * Base / RealBase. When no value is seen the record's
// present limits stay; equal limits are widened by 0.1 on both sides. Values
// that are not finite (a channel whose RealBase is 0) are left out. Streams
// the file in bounded chunks; recounts the record first.
AxisRange AutoRange(TGraphRecord& record, Axis axis);

}  // namespace tornel
