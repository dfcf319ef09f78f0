#pragma once

#include <string>

namespace tornel {

inline constexpr const char* kTimeTitle = "t,c";
inline constexpr const char* kXTitle = "X,o.e.";
inline constexpr const char* kYTitle = "Y,o.e.";

// What a plot writes at its axes, and after a time curve's name in the
// legend. Records of measurements keep these; a spectrum puts frequency
// along the time axis and amplitude up the Y axis.
struct PlotTitles {
  std::string Time = kTimeTitle;
  std::string X = kXTitle;
  std::string Y = kYTitle;
  std::string TimeCurve = "(t)";
  bool operator==(const PlotTitles&) const = default;
};

}  // namespace tornel
