#include "core/text/cp1251.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <string>

namespace tornel {
namespace {

// The C library's converter is the independent reference for the code page.
std::string IconvToUtf8(const std::string& bytes) {
  iconv_t cd = iconv_open("UTF-8", "CP1251");
  std::string in = bytes;
  std::string out(in.size() * 4 + 4, '\0');
  char* ip = in.data();
  char* op = out.data();
  size_t il = in.size(), ol = out.size();
  size_t r = iconv(cd, &ip, &il, &op, &ol);
  iconv_close(cd);
  if (r == static_cast<size_t>(-1)) return "<iconv failed>";
  out.resize(out.size() - ol);
  return out;
}

TEST(Cp1251, EveryDefinedByteMatchesTheReferenceAndRoundTrips) {
  for (int b = 0x01; b <= 0xFF; ++b) {
    if (b == 0x98) continue;
    std::string byte(1, static_cast<char>(b));
    std::string utf8 = Cp1251ToUtf8(byte);
    EXPECT_EQ(utf8, IconvToUtf8(byte)) << "byte " << b;
    EXPECT_EQ(Utf8ToCp1251(utf8), byte) << "byte " << b;
  }
}

TEST(Cp1251, ConversionTable) {
  struct Case {
    std::string cp1251;
    std::string utf8;
  } cases[] = {
      {"\x98", "\xEF\xBF\xBD"},  // the undefined byte
      {"I\xEF", "Iп"},           // Latin I, Cyrillic п
      {"\xD2\xE7\xE8", "Тзи"},
      {"\xA8\xB8", "Ёё"},
      {"\xB9", "№"},
      {std::string("a\0b", 3), std::string("a\0b", 3)},  // bytes, not C strings
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Cp1251ToUtf8(c.cp1251), c.utf8);
  }
}

TEST(Cp1251, UnmappableAndBrokenInputBecomesQuestionMarks) {
  struct Case {
    std::string utf8;
    std::string cp1251;
  } cases[] = {
      {"日本", "??"},
      {"\xC3", "?"},            // sequence cut short
      {"\xC0\x80", "??"},       // overlong NUL
      {"\xED\xA0\x80", "???"},  // surrogate
      {"a\xFF"
       "b",
       "a?b"},
      {"€", "\x88"},
      {"Ω", "?"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Utf8ToCp1251(c.utf8), c.cp1251) << c.utf8;
  }
}

TEST(Cp1251, CaseInsensitiveEquality) {
  struct Case {
    std::string a, b;
    bool equal;
  } cases[] = {
      {Utf8ToCp1251("ПРИОРИТЕТЫ Процессов"), Utf8ToCp1251("приоритеты процессов"), true},
      {Utf8ToCp1251("ЁЛКА"), Utf8ToCp1251("ёлка"), true},
      {Utf8ToCp1251("ЇЄІЎЈЅЂЃЉЊЌЋЏҐ"), Utf8ToCp1251("їєіўјѕђѓљњќћџґ"), true},
      {"ScanPriorityClass", "SCANPRIORITYCLASS", true},
      {Utf8ToCp1251("Е"), Utf8ToCp1251("Ё"), false},
      {"abc", "abcd", false},
      {"[", "{", false},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Cp1251EqualsIgnoreCase(c.a, c.b), c.equal) << Cp1251ToUtf8(c.a);
  }
}

}  // namespace
}  // namespace tornel
