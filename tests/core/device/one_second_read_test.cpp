#include "core/device/one_second_read.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/fake_device.h"
#include "tests/support/fake_priority_control.h"
#include "tests/support/fake_tick_clock.h"

namespace tornel {
namespace {

using testing::FakeDevice;
using testing::FakeTickClock;

struct Bench {
  FakeTickClock clock;
  FakeDevice device{&clock};
  Bench() {
    // One conversion per millisecond: 1000 reads in the second.
    device.SetReadHook([this](int16_t) { clock.Advance(1); });
  }
};

TEST(ReadMeanCode, MeanOrRmsOfTheCorrectedReadsTruncatedTowardZero) {
  struct Case {
    std::vector<int16_t> raw;  // repeated over the 1000 reads
    int16_t offset;
    bool rms;
    int16_t code;
  };
  const std::vector<Case> cases = {
      {{255}, 0, false, 255},      {{250}, 5, false, 255},  // the offset is added to every read
      {{7, 8}, 0, false, 7},                                // 7.5
      {{-7, -8}, 0, false, -7},                             // -7.5: toward zero, not down
      {{0, 0, 0, 3}, 0, false, 0},                          // 0.75
      {{-255}, 0, true, 255},                               // a root mean square has no sign
      {{3, 4}, 0, true, 3},                                 // sqrt(12.5) = 3.54
      {{32767}, 1, false, -32768},                          // the corrected read is a 16-bit sum
      {{-32768}, 0, true, 32767},   // sqrt(32768^2) does not fit: the nearest code
      {{-100, 100}, 0, true, 100},  // a mean of 0, an RMS of 100
  };
  for (const Case& c : cases) {
    Bench bench;
    bench.device.SetSequence(4, c.raw);
    EXPECT_EQ(ReadMeanCode(bench.device, bench.clock, 4, c.offset, c.rms), c.code)
        << c.raw.front() << " offset " << c.offset << (c.rms ? " rms" : " mean");
    EXPECT_EQ(bench.device.ReadCount(4), 1000u);
    EXPECT_EQ(bench.device.TotalReads(), 1000u);  // no other channel
  }
}

TEST(ReadMeanCode, ReadsForOneSecondAcrossAWrapOfTheTickCounter) {
  Bench bench;
  bench.clock.Set(0xFFFFFF00u);
  bench.device.SetConstant(0, 9);
  EXPECT_EQ(ReadMeanCode(bench.device, bench.clock, 0, 0, false), 9);
  EXPECT_EQ(bench.device.ReadCount(0), 1000u);
}

TEST(ReadMeanCode, ReadsOnceWhenTheClockJumpsPastTheSecond) {
  Bench bench;
  bench.device.SetReadHook([&](int16_t) { bench.clock.Advance(5000); });
  bench.device.SetSequence(2, {40, 0});
  EXPECT_EQ(ReadMeanCode(bench.device, bench.clock, 2, 0, true), 40);
  EXPECT_EQ(bench.device.ReadCount(2), 1u);
}

TEST(ReadZeroCode, IsTheNegatedRawMeanTruncatedTowardZero) {
  struct Case {
    std::vector<int16_t> raw;
    int16_t code;
  };
  const std::vector<Case> cases = {{{-12}, 12}, {{7, 8}, -7}, {{-32768}, 32767}};
  for (const Case& c : cases) {
    Bench bench;
    bench.device.SetSequence(9, c.raw);
    EXPECT_EQ(ReadZeroCode(bench.device, bench.clock, 9), c.code) << c.raw.front();
  }
}

TEST(MeasureMeanCode, ReadsAtTheScanPrioritiesAndLowersThemAfterwards) {
  Bench bench;
  ChannelTable table;
  table.ScanPriorityClass = 256;
  table.ScanThreadPriority = 15;
  table.AppPriorityClass = 64;
  table.AppThreadPriority = 1;
  testing::FakePriorityControl priority;
  std::vector<std::string> calls;  // each with the reads made before it
  priority.onCall = [&](const std::string& call) {
    calls.push_back(call + " after " + std::to_string(bench.device.TotalReads()));
  };
  MeasurementSetup setup{bench.device, bench.clock, priority, table};
  bench.device.SetConstant(3, -12);
  EXPECT_EQ(MeasureMeanCode(setup, 3, 2, false), -10);
  EXPECT_EQ(MeasureZeroCode(setup, 3), 12);
  EXPECT_EQ(calls, (std::vector<std::string>{"class 256 after 0", "thread 15 after 0",
                                             "class 64 after 1000", "thread 1 after 1000",
                                             "class 256 after 1000", "thread 15 after 1000",
                                             "class 64 after 2000", "thread 1 after 2000"}));
}

}  // namespace
}  // namespace tornel
