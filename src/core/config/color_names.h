#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tornel {

// Colours are 32-bit values 0x00BBGGRR. Values with the high byte 0x80 stand
// for a system colour (0x80000000 + its index); clNone is 0x1FFFFFFF.
using Color = uint32_t;

inline constexpr Color kColorNone = 0x1FFFFFFF;
inline constexpr Color kColorDefault = 0x20000000;
inline constexpr Color kSystemColorFlag = 0x80000000;

// The standard name when the colour has one ("clMaroon"), otherwise "$"
// followed by eight hexadecimal digits.
std::string ColorToString(Color color);

// Accepts the standard names, the system colour names ("clBtnFace"),
// "clNone", "clDefault", "$" + hex and plain integers. Names are matched
// without regard to case.
std::optional<Color> StringToColor(std::string_view text);

// The curve colour of 1-based index n (1..16) when the configuration has none:
// the same list for ADC and DAC channels; dependencies take the first eight.
Color DefaultCurveColor(int n);

}  // namespace tornel
