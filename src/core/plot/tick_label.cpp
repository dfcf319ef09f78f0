#include "core/plot/tick_label.h"

#include <charconv>
#include <cmath>

#include "core/text/number_text.h"

namespace tornel {
namespace {

constexpr std::size_t kMaxFixedDigits = 10;

std::size_t DigitsBeforeSeparator(const std::string& fixed, char separator) {
  std::size_t digits = 0;
  for (char c : fixed) {
    if (c == separator) break;
    if (c >= '0' && c <= '9') ++digits;
  }
  return digits;
}

std::string ExponentForm(double value, char separator) {
  char buf[64];
  auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, 2);
  if (ec != std::errc()) return FormatFixed(value, 2, separator);
  std::string out;
  for (const char* p = buf; p < end; ++p) {
    if (*p == '.') {
      out += separator;
    } else if (*p == 'e') {
      out += 'E';
    } else {
      out += *p;
    }
  }
  return out;
}

}  // namespace

std::string FormatTickLabel(double value, char separator) {
  std::string fixed = FormatFixed(value, 2, separator);
  if (!std::isfinite(value) || DigitsBeforeSeparator(fixed, separator) <= kMaxFixedDigits) {
    return fixed;
  }
  return ExponentForm(value, separator);
}

}  // namespace tornel
