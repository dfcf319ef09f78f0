#include "core/text/number_text.h"

#include <atomic>
#include <charconv>
#include <cmath>
#include <cstdlib>

namespace tornel {
namespace {

std::atomic<char> g_separator{'.'};

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

// Length of the longest prefix of s that is a decimal number (sign, digits,
// one separator, an exponent only when digits follow it); 0 when none.
std::size_t NumberPrefix(std::string_view s) {
  std::size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  std::size_t digits = 0;
  while (i < s.size() && IsDigit(s[i])) ++i, ++digits;
  if (i < s.size() && (s[i] == '.' || s[i] == ',')) {
    std::size_t j = i + 1;
    std::size_t frac = 0;
    while (j < s.size() && IsDigit(s[j])) ++j, ++frac;
    if (digits + frac > 0) {
      i = j;
      digits += frac;
    }
  }
  if (digits == 0) return 0;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    std::size_t j = i + 1;
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
    std::size_t exp = 0;
    while (j < s.size() && IsDigit(s[j])) ++j, ++exp;
    if (exp > 0) i = j;
  }
  return i;
}

// Converts a prefix accepted by NumberPrefix; out-of-range values give nothing.
std::optional<double> ConvertNumber(std::string_view s) {
  std::string buf(s);
  for (char& c : buf) {
    if (c == ',') c = '.';
  }
  const char* first = buf.data();
  if (*first == '+') ++first;
  double value = 0;
  auto [ptr, ec] = std::from_chars(first, buf.data() + buf.size(), value);
  if (ec != std::errc() || ptr != buf.data() + buf.size() || !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

std::string NonFinite(double value) {
  if (std::isnan(value)) return "NAN";
  return value < 0 ? "-INF" : "INF";
}

// True when value lies exactly half-way between two numbers of `decimals`
// decimals, judged from 40 further digits of its exact binary expansion.
bool IsDecimalTie(double value, int decimals) {
  char buf[400];
  auto [ptr, ec] =
      std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals + 40);
  if (ec != std::errc()) return false;
  std::string_view s(buf, static_cast<std::size_t>(ptr - buf));
  std::size_t dot = s.find('.');
  if (dot == std::string_view::npos) return false;
  std::string_view rest = s.substr(dot + 1 + static_cast<std::size_t>(decimals));
  if (rest.empty() || rest.front() != '5') return false;
  return rest.find_first_not_of('0', 1) == std::string_view::npos;
}

}  // namespace

double StrToFloatLenient(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  std::size_t n = NumberPrefix(text);
  if (n == 0) return 0.0;
  return ConvertNumber(text.substr(0, n)).value_or(0.0);
}

std::optional<double> StrToFloatStrict(std::string_view text) {
  text = Trim(text);
  std::size_t n = NumberPrefix(text);
  if (n == 0 || n != text.size()) return std::nullopt;
  return ConvertNumber(text);
}

std::optional<int32_t> StrToIntStrict(std::string_view text) {
  text = Trim(text);
  bool negative = false;
  if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
    negative = text.front() == '-';
    text.remove_prefix(1);
  }
  int base = 10;
  if (!text.empty() && text.front() == '$') {
    base = 16;
    text.remove_prefix(1);
  } else if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    base = 16;
    text.remove_prefix(2);
  }
  if (text.empty()) return std::nullopt;
  uint64_t value = 0;
  auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), value, base);
  if (ec != std::errc() || ptr != text.data() + text.size()) return std::nullopt;
  if (base == 16) {
    if (value > 0xFFFFFFFFull) return std::nullopt;
    auto bits = static_cast<uint32_t>(value);
    if (negative) bits = 0u - bits;
    return static_cast<int32_t>(bits);
  }
  if (negative) {
    if (value > 2147483648ull) return std::nullopt;
    return static_cast<int32_t>(-static_cast<int64_t>(value));
  }
  if (value > 2147483647ull) return std::nullopt;
  return static_cast<int32_t>(value);
}

std::string FormatFixed(double value, int decimals, char separator) {
  if (!std::isfinite(value)) return NonFinite(value);
  if (decimals < 0) decimals = 0;
  // Exact ties round away from zero, as people round, not to even.
  if (IsDecimalTie(value, decimals))
    value = std::nextafter(value, value < 0 ? -INFINITY : INFINITY);
  char buf[400];
  auto [ptr, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
  if (ec != std::errc()) return NonFinite(value);
  std::string out(buf, ptr);
  bool zero = true;
  for (char c : out) {
    if (c >= '1' && c <= '9') zero = false;
  }
  if (zero && !out.empty() && out.front() == '-') out.erase(0, 1);
  for (char& c : out) {
    if (c == '.') c = separator;
  }
  return out;
}

std::string FormatFixedExact(double value, int decimals, char separator) {
  if (!std::isfinite(value)) return NonFinite(value);
  if (value == 0) value = 0.0;  // no "-0"
  // The shortest fixed form that reads back exactly, then padded.
  char buf[400];
  auto [ptr, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed);
  if (ec != std::errc()) return FormatFixed(value, decimals, separator);
  std::string out(buf, ptr);
  const std::size_t point = out.find('.');
  const int have = point == std::string::npos ? 0 : static_cast<int>(out.size() - point - 1);
  if (have < decimals) {
    if (point == std::string::npos) out += '.';
    out.append(static_cast<std::size_t>(decimals - have), '0');
  }
  for (char& c : out) {
    if (c == '.') c = separator;
  }
  if (decimals <= 0 && !out.empty() && out.back() == separator) out.pop_back();
  return out;
}

std::string FormatGeneral(double value, char separator) {
  if (!std::isfinite(value)) return NonFinite(value);
  if (value == 0) return "0";
  // Round to 15 significant digits first, then choose the notation from the
  // rounded exponent.
  char buf[64];
  auto [ptr, ec] = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::scientific, 14);
  if (ec != std::errc()) return NonFinite(value);
  std::string_view sci(buf, static_cast<std::size_t>(ptr - buf));
  bool negative = sci.front() == '-';
  if (negative) sci.remove_prefix(1);
  std::size_t epos = sci.find('e');
  std::string digits;
  for (char c : sci.substr(0, epos)) {
    if (IsDigit(c)) digits += c;
  }
  int exponent = std::atoi(std::string(sci.substr(epos + 1)).c_str());
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();

  std::string out = negative ? "-" : "";
  if (exponent < -5 || exponent >= 15) {
    out += digits[0];
    if (digits.size() > 1) {
      out += separator;
      out += digits.substr(1);
    }
    out += 'E';
    out += std::to_string(exponent);
  } else if (exponent < 0) {
    out += '0';
    out += separator;
    out.append(static_cast<std::size_t>(-exponent - 1), '0');
    out += digits;
  } else {
    auto intLen = static_cast<std::size_t>(exponent) + 1;
    if (digits.size() <= intLen) {
      out += digits;
      out.append(intLen - digits.size(), '0');
    } else {
      out += digits.substr(0, intLen);
      out += separator;
      out += digits.substr(intLen);
    }
  }
  return out;
}

char SystemDecimalSeparator() { return g_separator.load(); }

void SetSystemDecimalSeparator(char separator) { g_separator.store(separator); }

}  // namespace tornel
