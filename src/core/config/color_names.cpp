#include "core/config/color_names.h"

#include <array>
#include <charconv>
#include <span>

#include "core/text/cp1251.h"
#include "core/text/number_text.h"

namespace tornel {
namespace {

struct NamedColor {
  const char* name;
  Color value;
};

constexpr std::array<NamedColor, 16> kStandard = {{
    {"clBlack", 0x000000},
    {"clMaroon", 0x000080},
    {"clGreen", 0x008000},
    {"clOlive", 0x008080},
    {"clNavy", 0x800000},
    {"clPurple", 0x800080},
    {"clTeal", 0x808000},
    {"clGray", 0x808080},
    {"clSilver", 0xC0C0C0},
    {"clRed", 0x0000FF},
    {"clLime", 0x00FF00},
    {"clYellow", 0x00FFFF},
    {"clBlue", 0xFF0000},
    {"clFuchsia", 0xFF00FF},
    {"clAqua", 0xFFFF00},
    {"clWhite", 0xFFFFFF},
}};

constexpr std::array<NamedColor, 32> kSystem = {{
    {"clScrollBar", kSystemColorFlag | 0},
    {"clBackground", kSystemColorFlag | 1},
    {"clActiveCaption", kSystemColorFlag | 2},
    {"clInactiveCaption", kSystemColorFlag | 3},
    {"clMenu", kSystemColorFlag | 4},
    {"clWindow", kSystemColorFlag | 5},
    {"clWindowFrame", kSystemColorFlag | 6},
    {"clMenuText", kSystemColorFlag | 7},
    {"clWindowText", kSystemColorFlag | 8},
    {"clCaptionText", kSystemColorFlag | 9},
    {"clActiveBorder", kSystemColorFlag | 10},
    {"clInactiveBorder", kSystemColorFlag | 11},
    {"clAppWorkSpace", kSystemColorFlag | 12},
    {"clHighlight", kSystemColorFlag | 13},
    {"clHighlightText", kSystemColorFlag | 14},
    {"clBtnFace", kSystemColorFlag | 15},
    {"clBtnShadow", kSystemColorFlag | 16},
    {"clGrayText", kSystemColorFlag | 17},
    {"clBtnText", kSystemColorFlag | 18},
    {"clInactiveCaptionText", kSystemColorFlag | 19},
    {"clBtnHighlight", kSystemColorFlag | 20},
    {"cl3DDkShadow", kSystemColorFlag | 21},
    {"cl3DLight", kSystemColorFlag | 22},
    {"clInfoText", kSystemColorFlag | 23},
    {"clInfoBk", kSystemColorFlag | 24},
    {"clHotLight", kSystemColorFlag | 26},
    {"clGradientActiveCaption", kSystemColorFlag | 27},
    {"clGradientInactiveCaption", kSystemColorFlag | 28},
    {"clMenuHighlight", kSystemColorFlag | 29},
    {"clMenuBar", kSystemColorFlag | 30},
    {"clNone", kColorNone},
    {"clDefault", kColorDefault},
}};

constexpr std::array<const char*, 16> kDefaultCurve = {
    "clMaroon", "clGreen",   "clOlive", "clNavy",  "clPurple", "clTeal", "clGreen", "clBlack",
    "clRed",    "clFuchsia", "clBlue",  "clBlack", "clGreen",  "clAqua", "clLime",  "clBlack",
};

}  // namespace

std::string ColorToString(Color color) {
  for (const auto& c : kStandard) {
    if (c.value == color) return c.name;
  }
  char hex[8];
  char* end = std::to_chars(hex, hex + sizeof hex, color, 16).ptr;
  std::string out = "$";
  out.append(static_cast<std::size_t>(8 - (end - hex)), '0');
  for (const char* p = hex; p < end; ++p) out += static_cast<char>(*p >= 'a' ? *p - 'a' + 'A' : *p);
  return out;
}

std::optional<Color> StringToColor(std::string_view text) {
  for (std::span<const NamedColor> table :
       {std::span<const NamedColor>(kStandard), std::span<const NamedColor>(kSystem)}) {
    for (const auto& c : table) {
      if (Cp1251EqualsIgnoreCase(text, c.name)) return c.value;
    }
  }
  if (auto value = StrToIntStrict(text)) return static_cast<Color>(*value);
  return std::nullopt;
}

Color DefaultCurveColor(int n) {
  if (n < 1 || n > 16) return 0;
  return *StringToColor(kDefaultCurve[static_cast<std::size_t>(n - 1)]);
}

}  // namespace tornel
