#include "core/plot/display_color.h"

#include <array>

namespace tornel {
namespace {

constexpr Color Rgb(unsigned r, unsigned g, unsigned b) { return r | (g << 8) | (b << 16); }

constexpr Color kFace = Rgb(0xD4, 0xD0, 0xC8);
constexpr Color kShadow = Rgb(0x80, 0x80, 0x80);

// Indexed by the system colour's number; index 25 has no colour of its own.
constexpr std::array<Color, 31> kSystemScheme = {
    kFace,                  // scroll bar
    Rgb(0x3A, 0x6E, 0xA5),  // desktop background
    Rgb(0x0A, 0x24, 0x6A),  // active caption
    kShadow,                // inactive caption
    kFace,                  // menu
    kWhite,                 // window
    kBlack,                 // window frame
    kBlack,                 // menu text
    kBlack,                 // window text
    kWhite,                 // caption text
    kFace,                  // active border
    kFace,                  // inactive border
    kShadow,                // application work space
    Rgb(0x0A, 0x24, 0x6A),  // highlight
    kWhite,                 // highlight text
    kFace,                  // button face
    kShadow,                // button shadow
    kShadow,                // grey text
    kBlack,                 // button text
    kFace,                  // inactive caption text
    kWhite,                 // button highlight
    Rgb(0x40, 0x40, 0x40),  // 3-D dark shadow
    kFace,                  // 3-D light
    kBlack,                 // tooltip text
    Rgb(0xFF, 0xFF, 0xE1),  // tooltip background
    kBlack,                 // unused
    Rgb(0x00, 0x00, 0x80),  // hot light
    Rgb(0xA6, 0xCA, 0xF0),  // gradient of the active caption
    Rgb(0xC0, 0xC0, 0xC0),  // gradient of the inactive caption
    Rgb(0x31, 0x6A, 0xC5),  // menu highlight
    kFace,                  // menu bar
};

}  // namespace

Color DisplayColor(Color color) {
  if (color == kColorNone || color == kColorDefault) return kBlack;
  if ((color & 0xFF000000u) == kSystemColorFlag) {
    const Color index = color & 0x00FFFFFFu;
    return index < kSystemScheme.size() ? kSystemScheme[index] : kBlack;
  }
  return color & 0x00FFFFFFu;
}

}  // namespace tornel
