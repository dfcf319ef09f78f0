#include "core/device/zero_calibration.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/config/profile_file.h"
#include "core/text/user_error.h"
#include "tests/support/fake_device.h"
#include "tests/support/fake_priority_control.h"
#include "tests/support/fake_tick_clock.h"
#include "tests/support/temp_dir.h"

namespace tornel {
namespace {

using testing::FakeDevice;
using testing::FakeTickClock;
using testing::TempDir;
// The priority calls, each marked " saved" when the configuration file
// existed by then.
struct SavingPriority {
  explicit SavingPriority(std::string configPath) : path(std::move(configPath)) {
    control.onCall = [this](const std::string& call) {
      calls.push_back(call + (std::filesystem::exists(path) ? " saved" : ""));
    };
  }
  operator PriorityControl&() { return control; }
  std::string path;
  testing::FakePriorityControl control;
  std::vector<std::string> calls;
};

struct Bench {
  TempDir dir;
  ChannelTable table;
  FakeTickClock clock;
  FakeDevice device{&clock};
  Bench() {
    table.ConfigPath = dir.File("Tornel.ini");
    table.ScanPriorityClass = 128;
    table.ScanThreadPriority = 2;
    table.AppPriorityClass = 32;
    table.AppThreadPriority = 0;
    // One conversion per millisecond: exactly 1000 reads per channel.
    device.SetReadHook([this](int16_t) { clock.Advance(1); });
  }
};

TEST(CalibrateZero, EveryReadAt12GivesOffsetsOfMinus12InTheTableAndTheFile) {
  Bench bench;
  bench.device.SetConstantAll(12);
  SavingPriority priority(bench.table.ConfigPath);
  std::vector<int> progress;
  CalibrateZero(bench.device, bench.table, bench.clock, priority,
                [&](int done) { progress.push_back(done); });

  ProfileFile file(bench.table.ConfigPath);
  for (int ch = 0; ch < 16; ++ch) {
    EXPECT_EQ(bench.table.Offset[ch], -12) << ch;
    EXPECT_EQ(file.ReadString("Offset", "ACP_Offset" + std::to_string(ch + 1), "?"), "-12");
    EXPECT_EQ(bench.device.ReadCount(static_cast<int16_t>(ch)), 1000u) << ch;
  }
  EXPECT_EQ(bench.table.Offset[16], 511);  // DAC zero codes are not touched
  EXPECT_EQ(progress, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16}));
  EXPECT_EQ(priority.calls, (std::vector<std::string>{"class 128", "thread 2", "class 32 saved",
                                                      "thread 0 saved"}));
  EXPECT_TRUE(bench.device.Writes().empty());
}

TEST(CalibrateZero, OffsetIsTheNegatedMeanTruncatedTowardZero) {
  struct Case {
    std::vector<int16_t> pattern;  // repeated over the 1000 reads
    int16_t offset;
  };
  const std::vector<Case> cases = {
      {{7, 8}, -7},           // mean 7.5; floor would give -8
      {{-7, -8}, 7},          // mean -7.5
      {{0, 0, 0, 3}, 0},      // mean 0.75
      {{-1, -1, -1, -2}, 1},  // mean -1.25
      {{511}, -511},         {{-512}, 512},
      {{-32768}, 32767},  // 32768 does not fit: the nearest zero code that does
  };
  Bench bench;
  for (int ch = 0; ch < 16; ++ch)
    if (ch < static_cast<int>(cases.size()))
      bench.device.SetSequence(static_cast<int16_t>(ch), cases[ch].pattern);
  SavingPriority priority(bench.table.ConfigPath);
  CalibrateZero(bench.device, bench.table, bench.clock, priority, nullptr);
  for (std::size_t ch = 0; ch < cases.size(); ++ch)
    EXPECT_EQ(bench.table.Offset[ch], cases[ch].offset) << "channel " << ch;
}

TEST(CalibrateZero, ReadsEachChannelAtLeastOnceWhenTheClockJumps) {
  Bench bench;
  bench.device.SetReadHook([&](int16_t) { bench.clock.Advance(5000); });
  bench.device.SetConstantAll(-3);
  SavingPriority priority(bench.table.ConfigPath);
  CalibrateZero(bench.device, bench.table, bench.clock, priority, nullptr);
  for (int16_t ch = 0; ch < 16; ++ch) {
    EXPECT_EQ(bench.device.ReadCount(ch), 1u);
    EXPECT_EQ(bench.table.Offset[ch], 3);
  }
}

TEST(CalibrateZero, ASaveFailurePassesThroughWithOffsetsKeptAndPrioritiesLowered) {
  Bench bench;
  testing::WriteBytes(bench.dir.File("plain"), "x");
  bench.table.ConfigPath = bench.dir.File("plain") + "/Tornel.ini";
  bench.device.SetConstantAll(4);
  SavingPriority priority(bench.table.ConfigPath);
  EXPECT_THROW(CalibrateZero(bench.device, bench.table, bench.clock, priority, nullptr), UserError);
  EXPECT_EQ(bench.table.Offset[15], -4);
  EXPECT_EQ(priority.calls,
            (std::vector<std::string>{"class 128", "thread 2", "class 32", "thread 0"}));
}

TEST(ResetZero, ZeroesTheAdcOffsetsOnlyAndWritesThemAll) {
  TempDir dir;
  ChannelTable table;
  table.ConfigPath = dir.File("Tornel.ini");
  for (int ch = 0; ch < 16; ++ch) table.Offset[ch] = static_cast<int16_t>(-12 - ch);
  table.Offset[16] = 500;
  table.SaveConfig();
  ResetZero(table);
  ProfileFile file(table.ConfigPath);
  for (int ch = 0; ch < 16; ++ch) {
    EXPECT_EQ(table.Offset[ch], 0);
    EXPECT_EQ(file.ReadString("Offset", "ACP_Offset" + std::to_string(ch + 1), "?"), "0");
  }
  EXPECT_EQ(table.Offset[16], 500);
  EXPECT_EQ(file.ReadString("Offset", "CAP_Offset1", "?"), "500");
}

}  // namespace
}  // namespace tornel
