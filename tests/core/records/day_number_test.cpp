#include "core/records/day_number.h"

#include <gtest/gtest.h>

#include <cmath>

namespace tornel {
namespace {

TEST(DayNumber, CountsDaysFrom30December1899) {
  struct Case {
    int y, m, d;
    int64_t day;
  } cases[] = {
      {1899, 12, 30, 0}, {1899, 12, 31, 1},    {1900, 1, 1, 2},      {1899, 12, 29, -1},
      {1900, 3, 1, 61},  {2024, 3, 15, 45366}, {2000, 2, 29, 36585},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(DayNumber(c.y, c.m, c.d), c.day) << c.y << "-" << c.m << "-" << c.d;
    const CivilDateTime back = DayTimeToCivil(static_cast<double>(c.day), 0);
    EXPECT_EQ(back.Year, c.y);
    EXPECT_EQ(back.Month, c.m);
    EXPECT_EQ(back.Day, c.d);
  }
}

TEST(DayNumber, TimeOfDayFromTheFraction) {
  struct Case {
    double time;
    int h, min, s, ms;
  } cases[] = {
      {0.5625, 13, 30, 0, 0},    {0.25, 6, 0, 0, 0}, {0.9999999999, 23, 59, 59, 999},
      {1.0 / 86400, 0, 0, 1, 0}, {0.0, 0, 0, 0, 0},
  };
  for (const auto& c : cases) {
    const CivilDateTime t = DayTimeToCivil(45366, c.time);
    EXPECT_EQ(t.Hour, c.h) << c.time;
    EXPECT_EQ(t.Minute, c.min) << c.time;
    EXPECT_EQ(t.Second, c.s) << c.time;
    EXPECT_EQ(t.Millisecond, c.ms) << c.time;
  }
  const CivilDateTime nan = DayTimeToCivil(std::nan(""), 0.5);
  EXPECT_EQ(nan.Year, 1899);
  EXPECT_EQ(nan.Day, 30);
}

}  // namespace
}  // namespace tornel
