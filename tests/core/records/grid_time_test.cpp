#include "core/records/grid_time.h"

#include <gtest/gtest.h>

#include <charconv>
#include <string>

namespace tornel {
namespace {

std::string Shortest(double v) {
  char text[64];
  return std::string(text, std::to_chars(text, text + sizeof text, v).ptr);
}

// Expected texts are the decimals index * span / divisions worked out by
// hand; the plain double arithmetic gives the longer forms noted beside.
TEST(GridTime, ReadsAsTheDecimalItStandsFor) {
  const struct {
    int64_t index;
    double span;
    int64_t divisions;
    const char* text;
  } cases[] = {
      {194, 0.001, 1, "0.194"},            // a sum of steps: 0.19400000000000014
      {3, 0.1, 1, "0.3"},                  // 3 * 0.1: 0.30000000000000004
      {3, 0.3, 300, "0.003"},              // 3 * 0.3 / 300: 0.0029999999999999996
      {194, 0.3, 300, "0.194"},            // 0.19399999999999998
      {-3, 0.1, 1, "-0.3"},                // and below zero
      {3, -0.1, 1, "-0.3"},                //
      {1000000, 1e-5, 1, "10"},            // the last tick of a long run
      {123456789, 1e-5, 1, "1234.56789"},  //
      {7, 0.25, 1, "1.75"},                // exact in binary anyway
      {2500, 2.5, 2500, "2.5"},            // the last frame is the whole span
      {0, 0.3, 300, "0"},                  //
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Shortest(GridTime(c.index, c.span, c.divisions)), c.text)
        << c.index << " * " << c.span << " / " << c.divisions;
  }
}

TEST(GridTime, QuotientsThatNeverEndRoundToTheNearestDouble) {
  // IEEE division is correctly rounded, so it is the independent answer here.
  EXPECT_EQ(GridTime(1, 1.0, 999), 1.0 / 999.0);
  EXPECT_EQ(GridTime(998, 1.0, 999), 998.0 / 999.0);
  EXPECT_EQ(GridTime(1, 2.0, 3), 2.0 / 3.0);
  // A span that has no short decimal is taken as it is.
  EXPECT_EQ(GridTime(1, 2.0 / 3.0, 1), 2.0 / 3.0);
}

}  // namespace
}  // namespace tornel
