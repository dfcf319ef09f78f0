// The fakes every device-level test relies on.
#include <gtest/gtest.h>

#include "tests/support/fake_device.h"
#include "tests/support/fake_tick_clock.h"

namespace tornel::testing {
namespace {

TEST(FakeTickClock, AutoAdvanceMovesTimeAfterEveryKthCall) {
  FakeTickClock clock(10);
  clock.SetAutoAdvance(5, 3);
  std::vector<uint32_t> seen;
  for (int i = 0; i < 7; ++i) seen.push_back(clock.Now());
  EXPECT_EQ(seen, (std::vector<uint32_t>{10, 10, 10, 15, 15, 15, 20}));
  clock.Set(0xFFFFFFFFu);
  clock.SetAutoAdvance(0);
  clock.Advance(2);
  EXPECT_EQ(clock.Now(), 1u);
}

TEST(FakeDevice, ScriptsReadsPerChannelAndStampsWrites) {
  FakeTickClock clock(40);
  FakeDevice device(&clock);
  device.SetSequence(0, {1, 2, 3});
  device.SetSequence(1, {1, 2}, FakeDevice::AfterEnd::HoldLast);
  device.SetFunction(2, [](uint64_t i) { return static_cast<int16_t>(10 * i); });
  std::vector<int16_t> reads;
  for (int i = 0; i < 4; ++i)
    for (int16_t ch = 0; ch < 3; ++ch) reads.push_back(device.Read(ch));
  EXPECT_EQ(reads, (std::vector<int16_t>{1, 1, 0, 2, 2, 10, 3, 2, 20, 1, 2, 30}));
  EXPECT_EQ(device.Read(9), 0);
  EXPECT_EQ(device.Read(16), 0);

  device.Write(1, 700);
  clock.Advance(3);
  device.Write(0, 5);
  EXPECT_EQ(device.Writes(), (std::vector<FakeDevice::WriteEntry>{{1, 700, 40}, {0, 5, 43}}));
  EXPECT_EQ(device.LastCode(1), 700);
  EXPECT_FALSE(device.LastCode(2).has_value());
}

}  // namespace
}  // namespace tornel::testing
