#include "core/plot/tick_label.h"

#include <gtest/gtest.h>

namespace tornel {
namespace {

TEST(FormatTickLabel, TwoDecimalsUpToTenDigitsThenExponentForm) {
  struct Case {
    double value;
    char separator;
    const char* text;
  };
  const Case cases[] = {
      {0, '.', "0.00"},
      {-1.9, '.', "-1.90"},
      {0.5, ',', "0,50"},
      {-0.001, '.', "0.00"},  // no "-0.00"
      {9999999999.99, '.', "9999999999.99"},
      {-9999999999.99, ',', "-9999999999,99"},
      {12345678901.0, '.', "1.23E+10"},
      {12345678901.0, ',', "1,23E+10"},
      {-45000000000000.0, '.', "-4.50E+13"},
      // Rounds up to eleven digits, so the exponent form takes over.
      {9999999999.996, '.', "1.00E+10"},
      {1e300, '.', "1.00E+300"},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatTickLabel(c.value, c.separator), c.text) << c.value;
}

}  // namespace
}  // namespace tornel
