#include "core/graph/time_range_repair.h"

#include <gtest/gtest.h>

namespace tornel {
namespace {

TEST(RepairTimeRange, KeepsARangeInsideTheRecordAndMendsTheRest) {
  struct Case {
    TimeRange typed;
    double duration;
    TimeRange stored;
  };
  const Case cases[] = {
      {{0.5, 1.5}, 2.0, {0.5, 1.5}},    // inside: as typed
      {{0.0, 2.0}, 2.0, {0.0, 2.0}},    // the whole record
      {{-1.0, 1.5}, 2.0, {0.0, 1.5}},   // negative start
      {{0.5, 7.0}, 2.0, {0.5, 2.0}},    // end past the record
      {{2.0, 1.0}, 5.0, {0.0, 5.0}},    // reversed
      {{1.0, 1.0}, 5.0, {0.0, 5.0}},    // empty
      {{-3.0, -1.0}, 5.0, {0.0, 5.0}},  // wholly before the start
      {{6.0, 9.0}, 5.0, {0.0, 5.0}},    // wholly after the end
      {{0.0, 0.0}, 0.0, {0.0, 0.0}},    // a record of no length
  };
  for (const Case& c : cases) {
    EXPECT_EQ(RepairTimeRange(c.typed, c.duration), c.stored)
        << c.typed.TMin << " .. " << c.typed.TMax << " of " << c.duration;
  }
}

}  // namespace
}  // namespace tornel
