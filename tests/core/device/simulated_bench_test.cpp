#include "core/device/simulated_bench.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <vector>

#include "core/device/asmcode.h"
#include "core/device/device_selection.h"
#include "core/device/zero_calibration.h"
#include "tests/support/fake_device.h"
#include "tests/support/fake_priority_control.h"
#include "tests/support/fake_tick_clock.h"
#include "tests/support/temp_dir.h"

namespace tornel {
namespace {

using testing::FakeTickClock;

constexpr int16_t kW = 5;
constexpr int16_t kM = 6;
constexpr int16_t kF1 = 4;
constexpr int16_t kUca = 1;

// Mean of `reads` conversions of one input at the current tick.
double Mean(SimulatedBench& bench, int16_t channel, int reads = 400) {
  double sum = 0;
  for (int i = 0; i < reads; ++i) sum += bench.Read(channel);
  return sum / reads;
}

// Hand calculations for the model's motor: 50 Hz and 2 pole pairs at
// reference 1 (157.08 rad/s), 1.57 rad/s less per N*m of load, 5 N*m of
// load at DAC 1 level 511. Codes are value / Base * 511.
double SpeedCode(double radPerS) { return radPerS / 188.0 * 511.0; }

class SimulatedBenchTest : public ::testing::Test {
protected:
  FakeTickClock clock{1000};
  SimulatedBench bench{clock, 7};
  std::array<double, 16> rest{};  // each input's reading at rest: its zero error

  void SetUp() override {
    for (int16_t ch = 0; ch < 16; ++ch) rest[ch] = Mean(bench, ch, 2000);
  }
  void RunMs(uint32_t ms) {
    for (uint32_t i = 0; i < ms; ++i) {
      clock.Advance(1);
      bench.Read(0);
    }
  }
  double Corrected(int16_t channel) { return Mean(bench, channel) - rest[channel]; }
};

TEST_F(SimulatedBenchTest, AtRestEveryInputReadsASmallZeroErrorAndNoise) {
  for (int16_t ch = 0; ch < 16; ++ch) {
    EXPECT_LE(std::abs(rest[ch]), 12.0) << ch;
    for (int i = 0; i < 200; ++i) EXPECT_LE(std::abs(bench.Read(ch) - rest[ch]), 4.0);
  }
  EXPECT_EQ(bench.Read(16), 0);
  EXPECT_EQ(bench.Read(-1), 0);
  EXPECT_EQ(bench.Description(), "модель стенда");
}

TEST_F(SimulatedBenchTest, SpeedFollowsAReferenceStepWithATimeConstantOfAbout200Ms) {
  bench.Write(1, 511 + 255);                          // reference 255/511 = 0.499
  double target = SpeedCode(157.08 * 255.0 / 511.0);  // 213.0 codes
  RunMs(200);
  double atTau = Corrected(kW);
  EXPECT_NEAR(atTau / target, 1.0 - std::exp(-1.0), 0.05);
  RunMs(800);
  double atOneSecond = Corrected(kW);
  RunMs(4000);
  double settled = Corrected(kW);
  EXPECT_NEAR(settled, target, 2.0);
  EXPECT_NEAR(atOneSecond, settled, 2.0);
  EXPECT_NEAR(Corrected(kF1), 50.0 * 255.0 / 511.0 / 100.0 * 511.0, 2.0);  // 24.95 Hz
}

TEST_F(SimulatedBenchTest, LoadTorqueLowersTheSpeedAndShowsOnTheTorqueInput) {
  bench.Write(1, 1022);  // full reference
  RunMs(3000);
  double unloaded = Corrected(kW);
  bench.Write(0, 511 + 255);  // half load: 2.495 N*m
  RunMs(3000);
  double loaded = Corrected(kW);
  double load = 5.0 * 255.0 / 511.0;
  EXPECT_NEAR(unloaded - loaded, SpeedCode(1.57 * load), 2.0);  // 10.6 codes
  EXPECT_NEAR(Corrected(kM), load / 25.0 * 511.0, 2.0);         // 51 codes
}

TEST_F(SimulatedBenchTest, PhaseVoltageIsASinusoidAtTheSupplyFrequency) {
  bench.Write(1, 1022);  // 50 Hz, 210 V amplitude: 488 codes
  RunMs(500);
  int crossings = 0;
  int sign = 0;
  double peak = 0;
  for (int ms = 0; ms < 200; ++ms) {
    clock.Advance(1);
    double u = Mean(bench, kUca, 20) - rest[kUca];
    peak = std::max(peak, std::abs(u));
    int now = u > 100 ? 1 : u < -100 ? -1 : sign;
    if (sign != 0 && now != sign) ++crossings;
    sign = now;
  }
  EXPECT_NEAR(crossings, 20, 1);  // 10 periods of 20 ms
  EXPECT_NEAR(peak, 210.0 / 220.0 * 511.0, 8.0);
}

TEST(SimulatedBench, TheSameSeedAndClockGiveTheSameSamples) {
  auto record = [](uint32_t seed) {
    FakeTickClock clock(5);
    SimulatedBench bench(clock, seed);
    std::vector<int16_t> samples;
    bench.Write(1, 900);
    for (int ms = 0; ms < 300; ++ms) {
      if (ms == 150) bench.Write(0, 700);
      for (int16_t ch = 0; ch < 16; ++ch) samples.push_back(bench.Read(ch));
      clock.Advance(ms % 3);  // several reads in some ticks, jumps in others
    }
    return samples;
  };
  EXPECT_EQ(record(42), record(42));
  EXPECT_NE(record(42), record(43));
}

TEST(SimulatedBench, TheStartButtonDrivesTheStartSignal) {
  FakeTickClock clock;
  SimulatedBench bench(clock);
  EXPECT_FALSE(StendStartSignal(bench));
  bench.SetStartButton(true);
  clock.Advance(1);
  EXPECT_TRUE(StendStartSignal(bench));
  bench.SetStartButton(false);
  clock.Advance(1);
  EXPECT_FALSE(StendStartSignal(bench));
}

TEST(SimulatedBench, ZeroCalibrationBringsTheSpareInputsToZero) {
  testing::FakePriorityControl priority;
  testing::TempDir dir;
  ChannelTable table;
  table.ConfigPath = dir.File("Tornel.ini");
  FakeTickClock clock;
  clock.SetAutoAdvance(1, 8);
  SimulatedBench bench(clock, 3);
  CalibrateZero(bench, table, clock, priority, nullptr);
  for (int16_t ch = 10; ch < 16; ++ch) {
    double sum = 0;
    for (int i = 0; i < 8000; ++i) sum += AcpRead(bench, ch) + table.Offset[ch];
    EXPECT_NEAR(sum / 8000, 0.0, 1.0) << "input " << ch + 1;
    EXPECT_NE(table.Offset[ch], 0) << "input " << ch + 1 << " had nothing to correct";
  }
}

TEST(SimulatedBench, MovedDacZeroCodesMeanZeroReference) {
  FakeTickClock clock;
  SimulatedBench bench(clock);
  bench.SetCapZeroCodes(500, 520);
  double rest = Mean(bench, kW, 2000);
  bench.Write(0, 500);
  bench.Write(1, 520);
  clock.Advance(3000);
  EXPECT_NEAR(Mean(bench, kW, 2000), rest, 1.0);
  bench.Write(1, 520 + 511);
  clock.Advance(3000);
  EXPECT_NEAR(Mean(bench, kW, 2000) - rest, SpeedCode(157.08), 2.0);
}

}  // namespace
}  // namespace tornel

namespace tornel {
namespace {

// Regression: with no conversion time a 2 s recording on the model held some
// 20 million identical scans; a card-like conversion time gives a card's rate.
TEST(SimulatedBench, AConversionTimeHoldsEachReadLikeARealCard) {
  testing::FakeTickClock clock{0};
  SimulatedBench bench{clock};
  bench.SetConversionTime(std::chrono::microseconds(50));
  auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < 200; ++i) bench.Read(0);
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(10));
}

TEST(OpenDevice, TheProgramsSimulatedBenchHasACardLikeConversionTime) {
  testing::FakeTickClock clock{0};
  DeviceChoice choice;
  choice.kind = DeviceChoice::Kind::Simulated;
  OpenedDevice opened = OpenDevice(choice, clock);
  auto start = std::chrono::steady_clock::now();
  for (int i = 0; i < 400; ++i) opened.device->Read(0);
  EXPECT_GE(std::chrono::steady_clock::now() - start, 400 * kSimulatedConversionTime);
}

}  // namespace
}  // namespace tornel
