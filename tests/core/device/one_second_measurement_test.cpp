#include "core/device/one_second_measurement.h"

#include <gtest/gtest.h>

#include <vector>

#include "tests/support/fake_device.h"
#include "tests/support/fake_tick_clock.h"

namespace tornel {
namespace {

using testing::FakeDevice;
using testing::FakeTickClock;

// One pass of the channels per millisecond: exactly 1000 passes in a second.
struct Rig {
  FakeTickClock clock;
  FakeDevice device{&clock};
  explicit Rig(uint32_t start = 0) : clock(start) {
    device.SetReadHook([this](int16_t ch) {
      if (ch == first) clock.Advance(1);
    });
  }
  int16_t first = 0;
};

TEST(MeasureOneSecond, MeanOrRootMeanSquareWithTheZeroCodeAddedFirst) {
  struct Case {
    std::vector<int16_t> reads;  // repeated over the second
    int16_t zero;
    bool rms;
    int16_t expected;
  };
  const std::vector<Case> cases = {
      {{7, 8}, 0, false, 7},        // 7.5 truncates down
      {{-7, -8}, 0, false, -7},     // -7.5 truncates up
      {{-100}, 0, true, 100},       // a constant negative code has a positive RMS
      {{3, 4}, 0, true, 3},         // sqrt(12.5) = 3.54
      {{-90}, -10, true, 100},      // the zero code is added before squaring
      {{10}, -4, false, 6},         //
      {{32767}, 1, false, -32768},  // the 16-bit sum wraps, as stored samples do
      {{-32768}, 0, true, 32767},   // 32768 does not fit
      {{0, 0, 0, 4}, 0, true, 2},   // sqrt(16 / 4)
  };
  Rig rig;
  MeasurementRequest request;
  request.Channels = 0xFFFF;
  for (std::size_t ch = 0; ch < cases.size(); ++ch) {
    rig.device.SetSequence(static_cast<int16_t>(ch), cases[ch].reads);
    request.Zero[ch] = cases[ch].zero;
    if (cases[ch].rms) request.RmsMask |= static_cast<uint16_t>(1u << ch);
  }
  auto result = MeasureOneSecond(rig.device, rig.clock, request);
  for (std::size_t ch = 0; ch < cases.size(); ++ch) {
    EXPECT_EQ(result[ch], cases[ch].expected) << "channel " << ch;
    EXPECT_EQ(rig.device.ReadCount(static_cast<int16_t>(ch)), 1000u) << "channel " << ch;
  }
}

TEST(MeasureOneSecond, ReadsOnlyTheRequestedChannelsInAscendingOrder) {
  Rig rig;
  rig.first = 3;
  rig.device.SetConstantAll(50);
  rig.device.SetLogReads(true);
  MeasurementRequest request;
  request.Channels = (1u << 3) | (1u << 9);
  auto result = MeasureOneSecond(rig.device, rig.clock, request);
  EXPECT_EQ(result[3], 50);
  EXPECT_EQ(result[9], 50);
  EXPECT_EQ(result[0], 0);
  ASSERT_EQ(rig.device.ReadLog().size(), 2000u);
  EXPECT_EQ(rig.device.ReadLog()[0], 3);
  EXPECT_EQ(rig.device.ReadLog()[1], 9);
}

TEST(MeasureOneSecond, LastsOneSecondAcrossAWrapOfTheTickCounter) {
  Rig rig(0xFFFFFF00u);
  MeasurementRequest request;
  request.Channels = 1;
  MeasureOneSecond(rig.device, rig.clock, request);
  EXPECT_EQ(rig.device.ReadCount(0), 1000u);
}

TEST(MeasureOneSecond, ReadsOncePerChannelWhenTheClockJumpsPastTheSecond) {
  FakeTickClock clock;
  FakeDevice device(&clock);
  device.SetConstantAll(-5);
  device.SetReadHook([&](int16_t) { clock.Advance(5000); });
  MeasurementRequest request;
  request.Channels = 0xFFFF;
  auto result = MeasureOneSecond(device, clock, request);
  EXPECT_EQ(device.TotalReads(), 16u);
  EXPECT_EQ(result[15], -5);
}

}  // namespace
}  // namespace tornel
