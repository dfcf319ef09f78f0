#include "core/plot/label_fit.h"

#include <gtest/gtest.h>

namespace tornel {
namespace {

TEST(LabelsThatFit, KeepTheTitleThenTheEndsThenEveryLabelThatStaysClear) {
  struct Case {
    const char* name;
    std::vector<LabelSpan> labels;
    std::optional<LabelSpan> title;
    int gap;
    std::vector<bool> shown;
  };
  const Case cases[] = {
      {"wide apart", {{0, 10}, {20, 30}, {40, 50}}, std::nullopt, 5, {true, true, true}},
      {"touching, no gap needed", {{0, 10}, {10, 20}}, std::nullopt, 0, {true, true}},
      {"touching, one unit of gap needed", {{0, 10}, {10, 20}}, std::nullopt, 1, {true, false}},
      {"exactly the gap apart", {{0, 10}, {16, 20}}, std::nullopt, 6, {true, true}},
      // Uniform labels wider than their spacing: every other one, both ends.
      {"every other",
       {{0, 12}, {10, 22}, {20, 32}, {30, 42}, {40, 52}},
       std::nullopt,
       0,
       {true, false, true, false, true}},
      // The last label keeps its place before the inner ones compete.
      {"last before inner", {{0, 8}, {9, 17}, {14, 22}}, std::nullopt, 0, {true, false, true}},
      {"title pushes out its neighbours",
       {{0, 10}, {20, 30}, {40, 50}, {60, 70}},
       LabelSpan{45, 62},
       2,
       {true, true, false, false}},
      {"title over the only label", {{0, 10}}, LabelSpan{5, 8}, 0, {false}},
      {"nothing to place", {}, LabelSpan{0, 5}, 0, {}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(LabelsThatFit(c.labels, c.title, c.gap), c.shown) << c.name;
  }
}

}  // namespace
}  // namespace tornel
