#include "core/device/dac_routines.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <vector>

#include "tests/support/fake_device.h"
#include "tests/support/fake_tick_clock.h"

namespace tornel {
namespace {

using testing::FakeDevice;
using testing::FakeTickClock;

// Returns the given times one per call, then stays at the last.
class ScriptedClock final : public TickClock {
public:
  ScriptedClock(std::initializer_list<uint32_t> times) : times_(times) {}
  uint32_t Now() override { return times_[next_ < times_.size() - 1 ? next_++ : next_]; }

private:
  std::vector<uint32_t> times_;
  std::size_t next_ = 0;
};

class RecordingCursor final : public BusyCursor {
public:
  explicit RecordingCursor(const FakeDevice& device) : device_(device) {}
  void Show() override {
    events.push_back("show after " + std::to_string(device_.Writes().size()));
  }
  void Restore() override {
    events.push_back("restore after " + std::to_string(device_.Writes().size()));
  }
  std::vector<std::string> events;

private:
  const FakeDevice& device_;
};

std::vector<int16_t> Codes(const std::vector<FakeDevice::WriteEntry>& writes) {
  std::vector<int16_t> codes;
  for (const auto& w : writes) codes.push_back(w.code);
  return codes;
}

TEST(SetCapZero, WritesEachDacInUseAtItsZeroCode) {
  ChannelTable table;
  table.Offset[16] = 500;
  table.Offset[17] = 1100;  // clamped by the device operation
  table.Offset[18] = 300;   // DAC 3 is not in use
  FakeDevice device;
  SetCapZero(device, table);
  EXPECT_EQ(device.Writes(), (std::vector<FakeDevice::WriteEntry>{{0, 500, 0}, {1, 1023, 0}}));
}

TEST(RampCapToZero, LevelsAllZeroWriteNothingAndReturnAtOnce) {
  ChannelTable table;
  FakeDevice device;
  FakeTickClock clock;
  const int16_t levels[] = {0, 0};
  RampCapToZero(device, table, clock, levels, nullptr);
  EXPECT_TRUE(device.Writes().empty());
  EXPECT_LE(clock.Calls(), 1u);
}

TEST(RampCapToZero, TziZeroDropsEveryLevelAtTheFirstTickChange) {
  ChannelTable table;
  table.Tzi = 0;
  FakeTickClock clock(100);
  clock.SetAutoAdvance(1, 4);  // the tick changes after the fourth call
  FakeDevice device(&clock);
  const int16_t levels[] = {100, -50};
  RampCapToZero(device, table, clock, levels, nullptr);
  // Three passes at the start tick, each writing both DACs, then zero.
  EXPECT_EQ(Codes(device.Writes()), (std::vector<int16_t>{611, 461, 611, 461, 611, 461, 511, 511}));
  EXPECT_EQ(device.Writes().back().tick, 101u);
}

TEST(RampCapToZero, StopsAtZeroWhenAStepWouldPassIt) {
  // Tzi 0.511 s with RealBase = Base is one code per millisecond; the clock
  // then jumps from 99 ms (value 1) to 103 ms (value -3).
  struct Case {
    int16_t level;
    std::vector<int16_t> codes;
  };
  const Case cases[] = {{100, {611, 561, 512, 511}}, {-100, {411, 461, 510, 511}}};
  for (const Case& c : cases) {
    ChannelTable table;
    table.CapCount = 1;
    table.Tzi = 0.511;
    ScriptedClock clock{0, 0, 50, 99, 103};
    FakeDevice device;
    const int16_t levels[] = {c.level};
    RampCapToZero(device, table, clock, levels, nullptr);
    EXPECT_EQ(Codes(device.Writes()), c.codes) << "level " << c.level;
  }
}

TEST(RampCapToZero, ALevelOutsideTheDeviceRangeGoesStraightToZero) {
  ChannelTable table;
  table.Offset[16] = 1000;
  table.Offset[17] = 20;
  FakeTickClock clock;
  clock.SetAutoAdvance(1);
  FakeDevice device;
  const int16_t levels[] = {100, -50};  // 1100 and -30 are beyond 0..1023
  RampCapToZero(device, table, clock, levels, nullptr);
  EXPECT_EQ(Codes(device.Writes()), (std::vector<int16_t>{1000, 20}));
}

TEST(RampCapToZero, ReturnsANominalLevelInTziSeconds) {
  // rate = RealBase / Base * 511 / (Tzi * 1000) codes per millisecond.
  struct Case {
    double tzi;
    double realBaseOverBase;
    int16_t level;
    // Hand calculation: the value truncates to 0 once it is below one code,
    // at the first whole millisecond past (|level| - 1) / rate.
    uint32_t zeroAtMs;
  };
  const Case cases[] = {
      {2.0, 1.0, 511, 1997},  // 510 / 0.2555 = 1996.1: 511 codes in about 2 s
      {2.0, 1.0, 255, 995},   // 254 / 0.2555 = 994.1: 255 codes in about 1 s
      {2.0, 2.0, 511, 999},   // RealBase twice Base, twice the rate: 510 / 0.511
      {1.0, 1.0, -511, 999},
  };
  for (const Case& c : cases) {
    ChannelTable table;
    table.CapCount = 1;
    table.Tzi = c.tzi;
    table.RealBase[16] = table.Base[16] * c.realBaseOverBase;
    FakeTickClock clock;
    clock.SetAutoAdvance(1, 1);
    FakeDevice device(&clock);
    const int16_t levels[] = {c.level};
    RampCapToZero(device, table, clock, levels, nullptr);
    const auto& writes = device.Writes();
    ASSERT_GE(writes.size(), 2u);
    EXPECT_EQ(writes.back().code, 511);
    // The zero write happens at the pass whose tick reaches zeroAtMs; the log
    // stamps it with the tick after that call.
    EXPECT_NEAR(static_cast<double>(writes.back().tick), c.zeroAtMs + 1.0, 1.0)
        << "level " << c.level << " Tzi " << c.tzi;
    EXPECT_NE(writes[writes.size() - 2].code, 511);
    for (std::size_t i = 1; i < writes.size(); ++i)
      EXPECT_LE(std::abs(writes[i].code - 511), std::abs(writes[i - 1].code - 511));
  }
}

TEST(RampCapToZero, EveryPassWritesEveryDacInUse) {
  ChannelTable table;
  table.Tzi = 0.1;  // 5.11 codes/ms
  FakeTickClock clock;
  clock.SetAutoAdvance(1, 1);
  FakeDevice device(&clock);
  const int16_t levels[] = {0, 40};
  RampCapToZero(device, table, clock, levels, nullptr);
  const auto& writes = device.Writes();
  ASSERT_EQ(writes.size() % 2, 0u);
  for (std::size_t i = 0; i < writes.size(); ++i) {
    EXPECT_EQ(writes[i].channel, static_cast<int16_t>(i % 2));
    if (i % 2 == 0) {
      EXPECT_EQ(writes[i].code, 511);
    }
  }
  // The first pass sees 1 ms; 40 - 8 * 5.11 < 0, so the pass at 8 ms writes
  // zero: 8 passes.
  EXPECT_EQ(writes.size(), 16u);
}

TEST(RampCapToZero, MissingLevelsCountAsZero) {
  ChannelTable table;
  table.Tzi = 0;
  FakeTickClock clock;
  clock.SetAutoAdvance(1);
  FakeDevice device;
  const int16_t levels[] = {100};
  RampCapToZero(device, table, clock, levels, nullptr);
  EXPECT_EQ(device.WritesTo(1).front().code, 511);
  EXPECT_EQ(device.LastCode(0), 511);
}

TEST(RampCapToZero, KeepsTimeAcrossTheTickCounterWrap) {
  ChannelTable table;
  table.CapCount = 1;
  table.Tzi = 1.0;
  FakeTickClock clock(0xFFFFFF00u);
  clock.SetAutoAdvance(1, 1);
  FakeDevice device(&clock);
  const int16_t levels[] = {511};
  RampCapToZero(device, table, clock, levels, nullptr);
  // Zero at 999 ms (510 / 0.511 = 998.04), stamped one tick later: the start
  // lies 256 ms before the wrap, so 1000 - 256 = 744 after it.
  EXPECT_NEAR(static_cast<double>(device.Writes().back().tick), 744.0, 1.0);
}

TEST(RampCapToZero, AZeroOrUndefinedRateDoesNotHang) {
  // Base or RealBase 0 in the file would give a rate of 0, infinity or NaN.
  struct Case {
    double base;
    double realBase;
  };
  for (const Case& c : {Case{0.0, 1.0}, Case{1.0, 0.0}, Case{0.0, 0.0}}) {
    ChannelTable table;
    table.CapCount = 1;
    table.Base[16] = c.base;
    table.RealBase[16] = c.realBase;
    FakeTickClock clock;
    clock.SetAutoAdvance(1, 1);
    FakeDevice device;
    const int16_t levels[] = {100};
    RampCapToZero(device, table, clock, levels, nullptr);
    EXPECT_EQ(device.LastCode(0), 511);
    EXPECT_LE(device.Writes().size(), 3u);
  }
}

TEST(RampCapToZero, ShowsTheCursorAroundTheWritesWhenGivenOne) {
  ChannelTable table;
  table.Tzi = 0;
  FakeTickClock clock;
  clock.SetAutoAdvance(1, 1);
  FakeDevice device;
  RecordingCursor cursor(device);
  const int16_t levels[] = {100, 100};
  RampCapToZero(device, table, clock, levels, &cursor);
  EXPECT_EQ(cursor.events,
            (std::vector<std::string>{"show after 0",
                                      "restore after " + std::to_string(device.Writes().size())}));
}

}  // namespace
}  // namespace tornel
