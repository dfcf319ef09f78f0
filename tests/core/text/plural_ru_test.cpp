#include "core/text/plural_ru.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <limits>

namespace tornel {
namespace {

TEST(PluralRu, FormFollowsTheLastTwoDigits) {
  const struct {
    int64_t n;
    const char* text;
  } cases[] = {
      {0, "0 точек"},
      {1, "1 точка"},
      {2, "2 точки"},
      {4, "4 точки"},
      {5, "5 точек"},
      {10, "10 точек"},
      {11, "11 точек"},
      {12, "12 точек"},
      {14, "14 точек"},
      {15, "15 точек"},
      {20, "20 точек"},
      {21, "21 точка"},
      {22, "22 точки"},
      {25, "25 точек"},
      {101, "101 точка"},
      {111, "111 точек"},
      {112, "112 точек"},
      {1234, "1234 точки"},
      {38424, "38424 точки"},
      {-1, "-1 точка"},
      {-12, "-12 точек"},
      {-23, "-23 точки"},
      {1000001, "1000001 точка"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PointsRu(c.n), c.text) << c.n;
  }
}

TEST(PluralRu, TheExtremeCountsNeedNoOverflow) {
  constexpr int64_t kMax = std::numeric_limits<int64_t>::max();  // ...807
  constexpr int64_t kMin = std::numeric_limits<int64_t>::min();  // -...808
  EXPECT_EQ(PluralRu(kMax, "a", "b", "c"), "c");
  EXPECT_EQ(PluralRu(kMax - 6, "a", "b", "c"), "a");
  EXPECT_EQ(PluralRu(kMin, "a", "b", "c"), "c");
  EXPECT_EQ(PluralRu(kMin + 6, "a", "b", "c"), "b");
}

}  // namespace
}  // namespace tornel
