#include "core/text/number_text.h"

#include <gtest/gtest.h>

#include <climits>
#include <clocale>
#include <cmath>

namespace tornel {
namespace {

TEST(StrToFloatLenient, ReadsTheNumberAtTheStart) {
  struct Case {
    const char* text;
    double value;
  } cases[] = {
      {"0,25", 0.25}, {"0.25", 0.25},  {"1.5s", 1.5},
      {"abc", 0},     {"", 0},         {"  -2.5e3x", -2500},
      {"1e", 1},      {"1e+", 1},      {".5", 0.5},
      {"5.", 5},      {"-", 0},        {"+3", 3},
      {"1,5,6", 1.5}, {"1e400", 0},    {"inf", 0},
      {"nan", 0},     {"-0,5В", -0.5}, {"0x10", 0},
      {"12", 12},     {",", 0},
  };
  for (const auto& c : cases) {
    EXPECT_DOUBLE_EQ(StrToFloatLenient(c.text), c.value) << '"' << c.text << '"';
  }
}

TEST(StrToFloatLenient, IgnoresTheCLocale) {
  // QApplication switches the C locale to the user's; the result must not move.
  const char* old = std::setlocale(LC_NUMERIC, nullptr);
  std::string saved = old ? old : "C";
  if (std::setlocale(LC_NUMERIC, "ru_RU.UTF-8") == nullptr)
    std::setlocale(LC_NUMERIC, "de_DE.UTF-8");
  EXPECT_DOUBLE_EQ(StrToFloatLenient("1.25"), 1.25);
  EXPECT_EQ(FormatFixed(1.25, 2, '.'), "1.25");
  EXPECT_EQ(FormatGeneral(1.25, '.'), "1.25");
  std::setlocale(LC_NUMERIC, saved.c_str());
}

TEST(StrToFloatStrict, TheWholeTextMustBeANumber) {
  struct Case {
    const char* text;
    bool ok;
    double value;
  } cases[] = {
      {"2.5", true, 2.5},    {"2,5", true, 2.5}, {" 3 ", true, 3},   {"-1E-3", true, -0.001},
      {"abc", false, 0},     {"", false, 0},     {"1.5x", false, 0}, {"1.2.3", false, 0},
      {"1,234.5", false, 0}, {"inf", false, 0},
  };
  for (const auto& c : cases) {
    auto r = StrToFloatStrict(c.text);
    EXPECT_EQ(r.has_value(), c.ok) << c.text;
    if (r && c.ok) {
      EXPECT_DOUBLE_EQ(*r, c.value) << c.text;
    }
  }
}

TEST(StrToIntStrict, DecimalAndHexForms) {
  struct Case {
    const char* text;
    bool ok;
    int32_t value;
  } cases[] = {
      {"0x10", true, 16},
      {"$10", true, 16},
      {"0X1f", true, 31},
      {"-12", true, -12},
      {" 7 ", true, 7},
      {"+5", true, 5},
      {"$FFFFFFFF", true, -1},
      {"-$10", true, -16},
      {"-2147483648", true, INT_MIN},
      {"2147483647", true, INT_MAX},
      {"12a", false, 0},
      {"2147483648", false, 0},
      {"", false, 0},
      {"0x", false, 0},
      {"$", false, 0},
      {"1.5", false, 0},
      {"$123456789", false, 0},
      {"- 1", false, 0},
  };
  for (const auto& c : cases) {
    auto r = StrToIntStrict(c.text);
    EXPECT_EQ(r.has_value(), c.ok) << c.text;
    if (r && c.ok) {
      EXPECT_EQ(*r, c.value) << c.text;
    }
  }
}

TEST(FormatFixed, DecimalsAndSeparator) {
  struct Case {
    double value;
    int decimals;
    char sep;
    const char* text;
  } cases[] = {
      {255.0 / 511.0, 3, ',', "0,499"},
      {-1.9, 2, '.', "-1.90"},
      {-0.001, 2, '.', "0.00"},
      {10, 3, '.', "10.000"},
      {0.5, 2, ',', "0,50"},
      {2.5, 0, '.', "3"},
      {0.125, 2, '.', "0.13"},
      {-0.125, 2, '.', "-0.13"},
      {1e12, 2, '.', "1000000000000.00"},
      {NAN, 2, '.', "NAN"},
      {-INFINITY, 2, '.', "-INF"},
      {0.1 + 0.2, 2, '.', "0.30"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FormatFixed(c.value, c.decimals, c.sep), c.text) << c.value;
  }
}

TEST(FormatFixedExact, AtLeastTheDecimalsAndAsManyMoreAsTheValueNeeds) {
  struct Case {
    double value;
    const char* text;
  };
  const Case cases[] = {
      {1.0, "1.00000"},       {0.001, "0.00100"},
      {2.5, "2.50000"},       {0.0000123, "0.0000123"},  // a real-time run's measured step
      {1e-7, "0.0000001"},    {0.1 + 0.2, "0.30000000000000004"},
      {-0.0, "0.00000"},      {-12.125, "-12.12500"},
      {1e6, "1000000.00000"},
  };
  for (const Case& c : cases) {
    const std::string text = FormatFixedExact(c.value, 5, '.');
    EXPECT_EQ(text, c.text) << c.value;
    EXPECT_EQ(StrToFloatLenient(text), c.value) << "reads back exactly: " << text;
  }
  EXPECT_EQ(FormatFixedExact(0.0000123, 5, ','), "0,0000123");
  EXPECT_EQ(FormatFixedExact(3.0, 0, '.'), "3");
}

TEST(FormatGeneral, FifteenSignificantDigits) {
  struct Case {
    double value;
    char sep;
    const char* text;
  } cases[] = {
      {2, '.', "2"},
      {2.5, ',', "2,5"},
      {0.1, '.', "0.1"},
      {1e20, '.', "1E20"},
      {1.5e-7, '.', "1.5E-7"},
      {0.00001, '.', "0.00001"},
      {0.000001, '.', "1E-6"},
      {123456789012345.0, '.', "123456789012345"},
      {1234567890123456.0, '.', "1.23456789012346E15"},
      {-0.25, '.', "-0.25"},
      {1.0 / 3.0, '.', "0.333333333333333"},
      {188, '.', "188"},
      {0, '.', "0"},
      {0.1 + 0.2, '.', "0.3"},
      {-1e-20, ',', "-1E-20"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(FormatGeneral(c.value, c.sep), c.text) << c.value;
  }
}

TEST(FormatGeneral, ReadsBackThroughTheStrictParser) {
  for (double v : {0.1, 2.0 / 3.0, 15.0, 220.0, 1e-9, 6.02e23, -188.5}) {
    for (char sep : {'.', ','}) {
      auto back = StrToFloatStrict(FormatGeneral(v, sep));
      ASSERT_TRUE(back.has_value()) << v;
      EXPECT_NEAR(*back, v, std::fabs(v) * 1e-14) << v;
    }
  }
}

}  // namespace
}  // namespace tornel
