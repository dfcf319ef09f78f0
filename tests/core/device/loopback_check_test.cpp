#include "core/device/loopback_check.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "core/device/device_error.h"
#include "tests/support/fake_device.h"
#include "tests/support/fake_tick_clock.h"

namespace tornel {
namespace {

using testing::FakeDevice;
using testing::FakeTickClock;

TEST(LoopbackCheck, FitsALineThroughTheMeanReadingsAndJudgesTheWiring) {
  // Levels 128..896 step 192 about their mean 512; a bend of 20 codes at the
  // top tilts the least-squares line by 20 * 384 / 368640 and lifts it by 4.
  const struct {
    const char* name;
    std::function<int16_t(int16_t dacCode)> reading;
    double readings[5];
    double deviations[5];
    double slope, intercept;
    const char* verdict;
  } cases[] = {
      {"wired",
       [](int16_t c) { return static_cast<int16_t>(c - 512); },
       {-384, -192, 0, 192, 384},
       {0, 0, 0, 0, 0},
       1.0,
       -512.0,
       "Исправно: АЦП 3 следует за ЦАП 2 по прямой\n"},
      {"bent at the top",
       [](int16_t c) { return static_cast<int16_t>(c - 512 + (c == 896 ? 20 : 0)); },
       {-384, -192, 0, 192, 404},
       {4, 0, -4, -8, 8},
       1.0 + 20.0 * 384 / 368640,
       4.0 - (1.0 + 20.0 * 384 / 368640) * 512,
       "Неисправно: показания отходят от прямой. Проверьте диапазоны АЦП и ЦАП (вход не должен "
       "насыщаться) и соединение\n"},
      {"not wired",
       [](int16_t) { return static_cast<int16_t>(-3); },
       {-3, -3, -3, -3, -3},
       {0, 0, 0, 0, 0},
       0.0,
       -3.0,
       "Неисправно: АЦП 3 не следует за ЦАП 2. Проверьте, что выход ЦАП 2 соединён со входом "
       "АЦП 3\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    FakeTickClock clock;
    clock.SetAutoAdvance(1);
    FakeDevice device(&clock);
    device.SetFunction(2, [&](uint64_t) { return c.reading(device.LastCode(1).value_or(0)); });
    LoopbackResult r = RunLoopbackCheck(device, clock, 1, 2, 500);
    for (int i = 0; i < 5; ++i) {
      EXPECT_EQ(r.points[i].dacCode, 128 + 192 * i);
      EXPECT_DOUBLE_EQ(r.points[i].reading, c.readings[i]) << i;
      EXPECT_NEAR(r.points[i].deviation, c.deviations[i], 1e-9) << i;
    }
    EXPECT_NEAR(r.slope, c.slope, 1e-12);
    EXPECT_NEAR(r.intercept, c.intercept, 1e-9);
    // Each level settles for 20 ms before its 100 reads.
    EXPECT_EQ(device.ReadCount(2), 500u);
    std::vector<FakeDevice::WriteEntry> writes = device.WritesTo(1);
    ASSERT_EQ(writes.size(), 6u);
    EXPECT_GE(writes[1].tick - writes[0].tick, kLoopbackSettleMs);
    EXPECT_EQ(writes.back().code, 500);
    std::string text = DescribeLoopbackCheck(r, 1, 2);
    EXPECT_EQ(text.substr(text.rfind('\n', text.size() - 2) + 1), c.verdict);
  }
}

TEST(LoopbackCheck, ReportShowsEachLevelTheLineAndTheLargestDeviation) {
  LoopbackResult r;
  const double readings[] = {-384, -192, 0, 192, 404}, deviations[] = {4, 0, -4, -8, 8};
  for (int i = 0; i < 5; ++i) r.points[i] = {kLoopbackLevels[i], readings[i], deviations[i]};
  r.slope = 1.0208333;
  r.intercept = -518.6666;
  r.maxDeviation = 8.0;
  EXPECT_EQ(DescribeLoopbackCheck(r, 0, 0),
            "Код ЦАП 1 и показание АЦП 1 (среднее из 100 отсчётов), отклонение от прямой:\n"
            "     128    -384,0       4,0\n"
            "     320    -192,0       0,0\n"
            "     512       0,0      -4,0\n"
            "     704     192,0      -8,0\n"
            "     896     404,0       8,0\n"
            "Прямая: АЦП 1 = 1,0208 × код − 518,7\n"
            "Наибольшее отклонение: 8,0 (допустимо 5,0)\n"
            "Неисправно: показания отходят от прямой. Проверьте диапазоны АЦП и ЦАП (вход не "
            "должен насыщаться) и соединение\n");
}

TEST(LoopbackCheck, CardFailingPartWayThrowsAndLeavesTheDacAtZero) {
  FakeTickClock clock;
  clock.SetAutoAdvance(1);
  FakeDevice device(&clock);
  device.FailAfterReads(150, "нет связи");
  EXPECT_THROW(RunLoopbackCheck(device, clock, 0, 0, 511), DeviceError);
  EXPECT_EQ(device.ReadCount(0), 150u);
  // Two levels written, the card gone after 50 reads of the second; then the zero code.
  std::vector<FakeDevice::WriteEntry> writes = device.WritesTo(0);
  ASSERT_EQ(writes.size(), 3u);
  EXPECT_EQ(writes[1].code, 320);
  EXPECT_EQ(writes[2].code, 511);
}

}  // namespace
}  // namespace tornel
