#include "core/plot/display_color.h"

#include <gtest/gtest.h>

#include "core/config/color_names.h"

namespace tornel {
namespace {

TEST(DisplayColor, StoredColoursBecomeDrawableOnes) {
  struct Case {
    const char* name;
    Color drawn;
  };
  const Case cases[] = {
      {"clMaroon", 0x000080},     {"$00123456", 0x123456}, {"clWindow", 0xFFFFFF},
      {"clWindowText", 0x000000}, {"clBtnFace", 0xC8D0D4},  // 212, 208, 200 as 0x00BBGGRR
      {"clInfoBk", 0xE1FFFF},     {"clNone", 0x000000},    {"clDefault", 0x000000},
      {"$80000063", 0x000000},  // no such system colour
      {"$02FF0000", 0xFF0000},  // other flag bytes are ignored
  };
  for (const Case& c : cases) {
    auto stored = StringToColor(c.name);
    ASSERT_TRUE(stored) << c.name;
    EXPECT_EQ(DisplayColor(*stored), c.drawn) << c.name;
  }
}

}  // namespace
}  // namespace tornel
