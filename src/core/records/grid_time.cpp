#include "core/records/grid_time.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <string>

namespace tornel {
namespace {

using Wide = unsigned __int128;

// Enough digits that the nearest double of the cut decimal is the nearest
// double of the exact quotient; a last 1 stands for whatever was cut.
constexpr int kQuotientDigits = 40;

std::string WideDigits(Wide v) {
  std::string digits;
  do {
    digits.insert(digits.begin(), static_cast<char>('0' + static_cast<int>(v % 10)));
    v /= 10;
  } while (v != 0);
  return digits;
}

}  // namespace

double GridTime(int64_t index, double span, int64_t divisions) {
  const double plain = static_cast<double>(index) * span / static_cast<double>(divisions);
  constexpr int64_t kLargest = int64_t{1} << 62;  // keeps index * mantissa within 128 bits
  if (!std::isfinite(span) || span == 0.0 || divisions <= 0 || index == 0 || index > kLargest ||
      index < -kLargest) {
    return plain;
  }

  // span = mantissa * 10^exponent with the fewest digits that read back.
  char text[64];
  const auto printed =
      std::to_chars(text, text + sizeof text, std::fabs(span), std::chars_format::scientific);
  const std::string_view s(text, static_cast<std::size_t>(printed.ptr - text));
  const std::size_t e = s.find('e');
  std::string mantissaDigits;
  for (char c : s.substr(0, e)) {
    if (c != '.') mantissaDigits += c;
  }
  const int exponent =
      std::atoi(std::string(s.substr(e + 1)).c_str()) - static_cast<int>(mantissaDigits.size()) + 1;
  uint64_t mantissa = 0;
  std::from_chars(mantissaDigits.data(), mantissaDigits.data() + mantissaDigits.size(), mantissa);

  const bool negative = (index < 0) != (span < 0);
  const Wide numerator = static_cast<Wide>(std::llabs(index)) * mantissa;
  const Wide den = static_cast<Wide>(divisions);
  std::string digits = WideDigits(numerator / den);
  Wide rest = numerator % den;
  int fraction = 0;
  while (rest != 0 && static_cast<int>(digits.size()) < kQuotientDigits) {
    rest *= 10;
    digits += static_cast<char>('0' + static_cast<int>(rest / den));
    rest %= den;
    ++fraction;
  }
  if (rest != 0) {
    digits += '1';
    ++fraction;
  }
  const std::string decimal =
      (negative ? "-" : "") + digits + "e" + std::to_string(exponent - fraction);
  double value = plain;
  std::from_chars(decimal.data(), decimal.data() + decimal.size(), value);
  return value;
}

}  // namespace tornel
