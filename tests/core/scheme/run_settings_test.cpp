#include <gtest/gtest.h>

#include <cmath>

#include "core/scheme/scheme_calculation.h"
#include "core/text/user_error.h"

namespace tornel {
namespace {

TEST(CheckRunSettings, EndTimeAndStepMustBeFiniteAndAboveZero) {
  const struct {
    double end, step;
    const char* says;  // empty: accepted
  } cases[] = {
      {1.0, 0.001, ""},
      {1e-9, 1e-12, ""},
      {0.0, 0.001, "Время расчета должно быть больше нуля"},
      {-5.0, 0.001, "Время расчета должно быть больше нуля"},
      {INFINITY, 0.001, "Время расчета должно быть конечным числом"},
      {NAN, 0.001, "Время расчета должно быть конечным числом"},
      {1.0, 0.0, "Шаг по времени должен быть больше нуля"},
      {1.0, -1e-3, "Шаг по времени должен быть больше нуля"},
      {1.0, -INFINITY, "Шаг по времени должен быть конечным числом"},
      {1.0, NAN, "Шаг по времени должен быть конечным числом"},
      {-1.0, 0.0, "Время расчета должно быть больше нуля"},  // the end time first
  };
  for (const auto& c : cases) {
    std::string says;
    try {
      CheckRunSettings({c.end, c.step, false});
    } catch (const UserError& e) {
      says = e.what();
    }
    EXPECT_EQ(says, c.says) << c.end << " " << c.step;
  }
}

}  // namespace
}  // namespace tornel
