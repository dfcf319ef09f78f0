#pragma once

#include "core/config/color_names.h"

namespace tornel {

inline constexpr Color kBlack = 0x000000;
inline constexpr Color kWhite = 0xFFFFFF;
inline constexpr Color kGridGray = 0xC0C0C0;

// The plain 0x00BBGGRR colour that a stored colour is drawn in. System
// colours ("clBtnFace") take the classic desktop scheme's values, since this
// system has no such palette; "clNone" and "clDefault" draw black so that a
// curve never vanishes; any other flag byte is ignored.
Color DisplayColor(Color color);

}  // namespace tornel
