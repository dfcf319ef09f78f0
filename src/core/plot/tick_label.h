#pragma once

#include <string>

namespace tornel {

// A tick label: fixed-point with two decimals and the given separator
// ("-1,90"). Past ten digits before the separator the fixed form no longer
// fits beside the axis, so it becomes two decimals of mantissa and a signed
// exponent: "1,23E+10", "-4,50E+12".
std::string FormatTickLabel(double value, char separator);

}  // namespace tornel
