#include "core/static/level_ramp.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "tests/support/fake_device.h"
#include "tests/support/fake_tick_clock.h"

namespace tornel {
namespace {

using testing::FakeDevice;
using testing::FakeTickClock;

// Each shown level lets one millisecond pass, so the tick of the last write
// is the ramp's duration.
struct Rig {
  ChannelTable table;
  FakeTickClock clock;
  FakeDevice device{&clock};
  std::vector<int16_t> shown;
  Rig() {
    table.Tzi = 2.0;
    table.Base[16] = table.RealBase[16] = 10.0;
    table.Offset[16] = 0;
  }
  void Ramp(int16_t from, int16_t target) {
    RampDacLevel(device, table, clock, 0, from, target, [this](int16_t level) {
      shown.push_back(level);
      clock.Advance(1);
    });
  }
  uint32_t Duration() const { return device.Writes().back().tick; }
};

TEST(RampDacLevel, TakesTziForTheLevelOfRealBaseInEitherDirection) {
  struct Case {
    int16_t from, target;
    uint32_t lo, hi;  // ms: 511 codes at 511/2000 codes per ms
  };
  const Case cases[] = {
      {0, 511, 2000, 2001},  // 2000 ms, give or take the rounding of the rate
      {511, 0, 1997, 1997},  // toward zero the truncation lands a step early
      {0, 255, 999, 999},    // 255 / 0.2555 = 998.04
      {-100, 155, 999, 999},
  };
  for (const Case& c : cases) {
    Rig rig;
    rig.Ramp(c.from, c.target);
    EXPECT_GE(rig.Duration(), c.lo) << c.from << "->" << c.target;
    EXPECT_LE(rig.Duration(), c.hi) << c.from << "->" << c.target;
    EXPECT_EQ(rig.shown.front(), c.from);
    EXPECT_EQ(rig.shown.back(), c.target);
    EXPECT_EQ(rig.device.Writes().back().code, c.target);
  }
}

TEST(RampDacLevel, RealBaseHalfOfBaseHalvesTheTime) {
  Rig rig;
  rig.table.RealBase[16] = 5.0;  // 255.5 codes in 2 s
  rig.Ramp(0, 255);
  EXPECT_EQ(rig.Duration(), 1997u);  // 255 / (255.5 / 2000) = 1996.1
}

TEST(RampDacLevel, ANegativeBaseRampsAsLongAsAPositiveOne) {
  Rig rig;
  rig.table.Base[16] = -10.0;
  rig.Ramp(0, 255);
  EXPECT_EQ(rig.Duration(), 999u);
}

TEST(RampDacLevel, WithoutAUsableRateTheLevelJumpsAtTheFirstTick) {
  struct Case {
    double tzi, base, realBase;
  };
  const Case cases[] = {{0.0, 10, 10}, {-1.0, 10, 10}, {2.0, 0, 10}, {2.0, 10, 0}};
  for (const Case& c : cases) {
    Rig rig;
    rig.table.Tzi = c.tzi;
    rig.table.Base[16] = c.base;
    rig.table.RealBase[16] = c.realBase;
    rig.Ramp(10, 400);
    EXPECT_EQ(rig.shown, (std::vector<int16_t>{10, 400})) << c.tzi << " " << c.base;
  }
}

TEST(RampDacLevel, WritesTheZeroCodePlusTheLevelClampedAndOnlyToItsDac) {
  Rig rig;
  rig.table.Tzi = 0.0;
  rig.table.Offset[17] = 700;
  RampDacLevel(rig.device, rig.table, rig.clock, 1, 0, 400, [&](int16_t) { rig.clock.Advance(1); });
  EXPECT_EQ(rig.device.Writes(), (std::vector<FakeDevice::WriteEntry>{{1, 700, 0}, {1, 1023, 1}}));
}

TEST(RampDacLevel, AStepLongAfterTheStartStillEndsExactlyOnTheTarget) {
  Rig rig;
  rig.table.Tzi = 0.0;  // 1024 codes a millisecond: far outside int16 after a long step
  rig.table.Offset[16] = 511;
  RampDacLevel(rig.device, rig.table, rig.clock, 0, 0, -300, [&](int16_t level) {
    rig.shown.push_back(level);
    rig.clock.Advance(4000000000u);
  });
  EXPECT_EQ(rig.shown, (std::vector<int16_t>{0, -300}));
  EXPECT_EQ(rig.device.Writes().back().code, 211);
}

TEST(RampDacLevel, AStalledStepResumesFromTheLevelLastSentAtTheTziRate) {
  struct Case {
    int16_t from, target;
    int16_t stallAt;        // the first level at or past it holds the ramp up for 5 s
    int16_t before, after;  // the levels written either side of the stall
  };
  // 0.2555 codes a millisecond; after the stall only 50 ms count.
  const Case cases[] = {
      {0, 511, 100, 100, 112},  // 392 ms: 100.16, then 442 ms: 112.93
      {511, 0, 400, 400, 388},  // 431 ms: 400.88, then 481 ms: 388.10
  };
  for (const Case& c : cases) {
    Rig rig;
    bool stalled = false;
    RampDacLevel(rig.device, rig.table, rig.clock, 0, c.from, c.target, [&](int16_t level) {
      rig.shown.push_back(level);
      bool past = c.target > c.from ? level >= c.stallAt : level <= c.stallAt;
      rig.clock.Advance(past && !stalled ? 5001 : 1);
      stalled = stalled || past;
    });
    auto at = std::find(rig.shown.begin(), rig.shown.end(), c.before);
    ASSERT_NE(at, rig.shown.end()) << c.from;
    while (*at == c.before) ++at;
    EXPECT_EQ(*at, c.after) << c.from;
    for (std::size_t i = 1; i < rig.shown.size(); ++i)
      EXPECT_LE(std::abs(rig.shown[i] - rig.shown[i - 1]), 13) << c.from << " at " << i;
    EXPECT_EQ(rig.shown.back(), c.target);
  }
}

}  // namespace
}  // namespace tornel
