#include "core/static/auto_run.h"

#include <gtest/gtest.h>

#include <vector>

namespace tornel {
namespace {

// The set values at which a run records its points, with an optional stop
// pressed while the point at index `stopAfter` is being waited for.
std::vector<double> PointsOf(const AutoRunRequest& request, int stopAfter = -1) {
  AutoRun run(request);
  std::vector<double> points{run.Value()};
  while (true) {
    if (static_cast<int>(points.size()) - 1 == stopAfter) run.RequestStop();
    auto next = run.NextAfterPoint();
    if (!next) break;
    points.push_back(*next);
    if (points.size() > 10000) break;
  }
  return points;
}

TEST(AutoRun, StepsFromStartToEndInEqualIncrements) {
  struct Case {
    double start, end;
    int32_t points;
    std::vector<double> expected;
  };
  const std::vector<Case> cases = {
      {0, 10, 3, {0, 5, 10}},
      {10, 0, 3, {10, 5, 0}},
      {-2, 2, 2, {-2, 2}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(PointsOf({c.start, c.end, c.points, 1.0}), c.expected) << c.start << "->" << c.end;
}

TEST(AutoRun, TheLastStepSnapsOntoTheEndSoElevenPointsStayEleven) {
  std::vector<double> points = PointsOf({0, 1, 11, 1.0});
  ASSERT_EQ(points.size(), 11u);
  EXPECT_EQ(points.back(), 1.0);  // ten additions of 0.1 give 0.9999999999999999
  EXPECT_NEAR(points[5], 0.5, 1e-12);
}

TEST(AutoRun, AStopRequestedBeforeTheNextStepEndsTheRun) {
  EXPECT_EQ(PointsOf({0, 10, 3, 1.0}, 1), (std::vector<double>{0, 5}));
  EXPECT_EQ(PointsOf({0, 10, 3, 1.0}, 0), (std::vector<double>{0}));
}

TEST(AutoRun, TimerIntervalIsTheTimeStepInWholeMilliseconds) {
  EXPECT_EQ(AutoRun({0, 1, 2, 2.5}).TimerIntervalMs(), 2500);
  EXPECT_EQ(AutoRun({0, 1, 2, 0.0019}).TimerIntervalMs(), 1);
  EXPECT_EQ(AutoRun({0, 1, 2, 1e12}).TimerIntervalMs(), 2147483647);
}

TEST(CheckAutoRun, SilentRefusalsMessagesAndStarts) {
  struct Case {
    AutoRunRequest request;
    bool starts;
    const char* message;
  };
  const char* points = "Количество точек должно быть не меньше 2";
  const char* step = "Шаг по времени должен быть не меньше 0,001 с";
  const char* longStep = "Шаг по времени должен быть не больше 60 с";
  const Case cases[] = {
      {{0, 10, 3, 1}, true, ""},
      {{0, 10, 2, 0.001}, true, ""},
      {{0, 0, 3, 1}, false, ""},
      {{0, 10, 0, 1}, false, ""},
      {{0, 10, 3, 0}, false, ""},
      {{0, 10, 1, 1}, false, points},
      {{0, 10, -2, 1}, false, points},
      {{0, 10, 3, 0.0009}, false, step},
      {{0, 10, 3, -1}, false, step},
      {{0, 10, 3, 60}, true, ""},
      {{0, 10, 3, 60.001}, false, longStep},
      {{0, 10, 3, 600}, false, longStep},
      {{0, 10, 3, 1e12}, false, longStep},
  };
  for (const Case& c : cases) {
    AutoRunCheck check = CheckAutoRun(c.request);
    EXPECT_EQ(check.Starts, c.starts) << c.request.Points << " " << c.request.TimeStep;
    EXPECT_EQ(check.Message, c.message) << c.request.Points << " " << c.request.TimeStep;
  }
}

TEST(PositionOfValue, TruncatesTowardZeroOnThe511Grid) {
  EXPECT_EQ(PositionOfValue(10, 20), 255);  // 255.5
  EXPECT_EQ(PositionOfValue(-10, 20), -255);
  EXPECT_EQ(PositionOfValue(20, 20), 511);
  EXPECT_EQ(PositionOfValue(1, 0), 0);
  EXPECT_DOUBLE_EQ(ValueOfPosition(255, 20), 9.980430528375734);  // 20 * 255 / 511
}

}  // namespace
}  // namespace tornel
