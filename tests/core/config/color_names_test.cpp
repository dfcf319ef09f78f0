#include "core/config/color_names.h"

#include <gtest/gtest.h>

namespace tornel {
namespace {

TEST(ColorNames, WrittenByStandardNameOrAsEightHexDigits) {
  struct Case {
    Color color;
    const char* text;
  } cases[] = {
      {0x000080, "clMaroon"},    {0x000000, "clBlack"},   {0xFFFFFF, "clWhite"},
      {0xC0C0C0, "clSilver"},    {0x123456, "$00123456"}, {0x8000000F, "$8000000F"},
      {kColorNone, "$1FFFFFFF"}, {0xABCDEF, "$00ABCDEF"},
  };
  for (const auto& c : cases) EXPECT_EQ(ColorToString(c.color), c.text);
}

TEST(ColorNames, ReadingAcceptsNamesSystemColoursAndNumbers) {
  struct Case {
    const char* text;
    bool ok;
    Color color;
  } cases[] = {
      {"clMaroon", true, 0x000080},
      {"CLRED", true, 0x0000FF},
      {"clBtnFace", true, 0x8000000F},
      {"clScrollBar", true, 0x80000000},
      {"clNone", true, 0x1FFFFFFF},
      {"$00123456", true, 0x123456},
      {"$8000000F", true, 0x8000000F},
      {"255", true, 255},
      {"clPink", false, 0},
      {"", false, 0},
  };
  for (const auto& c : cases) {
    auto r = StringToColor(c.text);
    EXPECT_EQ(r.has_value(), c.ok) << c.text;
    if (r && c.ok) {
      EXPECT_EQ(*r, c.color) << c.text;
    }
  }
}

TEST(ColorNames, DefaultCurveColours) {
  EXPECT_EQ(DefaultCurveColor(1), 0x000080u);   // clMaroon
  EXPECT_EQ(DefaultCurveColor(9), 0x0000FFu);   // clRed
  EXPECT_EQ(DefaultCurveColor(14), 0xFFFF00u);  // clAqua
  EXPECT_EQ(DefaultCurveColor(16), 0x000000u);  // clBlack
}

}  // namespace
}  // namespace tornel
