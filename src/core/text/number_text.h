#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace tornel {

// Reads a number the way every dialog of the program reads a typed value:
// each "," counts as ".", the number at the start of the text is taken as far
// as it goes ("1.5s" is 1.5), and text that does not begin with a number is 0.
// Never fails; leading blanks are skipped. Independent of the C locale.
double StrToFloatLenient(std::string_view text);

// The whole text (blanks around it allowed) must be a decimal number with "."
// or "," as the separator; otherwise nothing.
std::optional<double> StrToFloatStrict(std::string_view text);

// The whole text (blanks around it allowed) must be an integer: decimal, or
// hexadecimal after "$", "0x" or "0X" (up to 8 digits, taken as the 32-bit
// pattern). A decimal outside the 32-bit range fails.
std::optional<int32_t> StrToIntStrict(std::string_view text);

// Fixed-point with exactly `decimals` digits after `separator`. A value that
// rounds to zero carries no minus sign.
std::string FormatFixed(double value, int decimals, char separator);

// Fixed-point with at least `decimals` digits after `separator`, and more
// when the value needs them, so that reading the text back gives exactly the
// value: 0.001 is "0.00100", 0.000012345 "0.000012345".
std::string FormatFixedExact(double value, int decimals, char separator);

// General format with up to 15 significant digits, as configuration files
// store doubles: "2", "0.25", "1E20", "1.5E-7".
std::string FormatGeneral(double value, char separator);

// The user's decimal separator. The UI sets it once from the system locale;
// until then it is ".".
char SystemDecimalSeparator();
void SetSystemDecimalSeparator(char separator);

}  // namespace tornel
