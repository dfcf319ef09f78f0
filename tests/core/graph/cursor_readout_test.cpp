#include "core/graph/cursor_readout.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <utility>

#include "graph_test_record.h"

namespace tornel {
namespace {

using testing::FillRecord;
using testing::TempDir;

struct StatsCase {
  const char* name;
  std::vector<int16_t> codes;  // one channel, ADC 1
  double base;                 // physical value of code 511
  int64_t frame1, frame2;
  double at1, at2, min, max, mean, rms;
};

TEST(MeasureCursors, ValuesAndStatisticsInPhysicalUnits) {
  const StatsCase cases[] = {
      // (0 + 100 + 100) / 3; sqrt((0 + 10000 + 10000) / 3)
      {"step", {0, 0, 100, 100}, 511, 1, 3, 0, 100, 0, 100, 200.0 / 3, std::sqrt(20000.0 / 3)},
      // code x 2; frames 1..4 in reverse order: mean 2 * 100 / 4, rms 2 * sqrt(3000 / 4)
      {"ramp, cursors reversed",
       {0, 10, 20, 30, 40},
       1022,
       4,
       1,
       80,
       20,
       20,
       80,
       50,
       2 * std::sqrt(750.0)},
      {"negative constant", {-511, -511, -511}, 100, 0, 2, -100, -100, -100, -100, -100, 100},
      {"one frame", {7}, 511, 0, 0, 7, 7, 7, 7, 7, 7},
      // the second cursor past the end is held to frame 2
      {"range at the file's end", {1, 2, 3}, 511, 1, 10, 2, 3, 2, 3, 2.5, std::sqrt(6.5)},
  };
  for (const StatsCase& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    TGraphRecord record;
    record.Base[0] = c.base;
    record.AcpShowMask = 1;
    FillRecord(record, dir, 1, 0, c.codes);
    const CursorReadout r = MeasureCursors(record, c.frame1, c.frame2);
    ASSERT_TRUE(r.valid);
    ASSERT_EQ(r.channels.size(), 1u);
    const ChannelReadout& ch = r.channels[0];
    EXPECT_DOUBLE_EQ(ch.at1, c.at1);
    EXPECT_DOUBLE_EQ(ch.at2, c.at2);
    EXPECT_DOUBLE_EQ(ch.diff, c.at2 - c.at1);
    EXPECT_DOUBLE_EQ(ch.min, c.min);
    EXPECT_DOUBLE_EQ(ch.max, c.max);
    EXPECT_DOUBLE_EQ(ch.mean, c.mean);
    EXPECT_DOUBLE_EQ(ch.rms, c.rms);
  }
}

TEST(MeasureCursors, TimesFollowTheTableAndPointsAreNumberedFromOne) {
  TempDir dir;
  TGraphRecord record;
  record.AcpShowMask = 1;
  record.Duration = 2;  // 5 frames, 0.5 s apart
  FillRecord(record, dir, 1, 0, {0, 0, 0, 0, 0});
  CursorReadout r = MeasureCursors(record, 3, 1);
  EXPECT_DOUBLE_EQ(r.t1, 1.5);
  EXPECT_DOUBLE_EQ(r.t2, 0.5);
  EXPECT_DOUBLE_EQ(r.dt, -1);
  EXPECT_DOUBLE_EQ(r.inverseDt, -1);
  r = MeasureCursors(record, 2, 2);
  EXPECT_EQ(r.inverseDt, 0);

  record.IsStatic = true;
  r = MeasureCursors(record, 0, 4);
  EXPECT_EQ(r.t1, 1);
  EXPECT_EQ(r.t2, 5);
  EXPECT_EQ(r.dt, 4);
}

TEST(MeasureCursors, OnlyShownChannelsFromTheirOwnPositions) {
  TempDir dir;
  TGraphRecord record;
  record.AcpShowMask = 0b100;  // ADC 3 of ADC 1, ADC 3 and DAC 1
  record.CapShowMask = 1;
  record.Base[2] = record.Base[kCapSlotBase] = 511;  // physical value = code
  FillRecord(record, dir, 0b101, 1, {1, 2, 3, 4, 5, 6});
  const CursorReadout r = MeasureCursors(record, 0, 1);
  ASSERT_EQ(r.channels.size(), 2u);
  EXPECT_EQ(r.channels[0].slot, 2);
  EXPECT_EQ(r.channels[0].at1, 2);
  EXPECT_EQ(r.channels[0].at2, 5);
  EXPECT_EQ(r.channels[1].slot, kCapSlotBase);
  EXPECT_EQ(r.channels[1].at2, 6);
}

TEST(MeasureCursors, ReadsTheFilteredSampleFileWhenShown) {
  TempDir dir;
  TGraphRecord record;
  record.AcpShowMask = 1;
  record.Base[0] = 511;
  FillRecord(record, dir, 1, 0, {0, 0, 0});
  record.SampleFile = dir.File("filtered");
  testing::WriteBytes(record.SampleFile, testing::Int16Bytes({4, 8, 12}));
  const CursorReadout r = MeasureCursors(record, 0, 2);
  ASSERT_TRUE(r.valid);
  EXPECT_EQ(r.channels[0].mean, 8);
}

TEST(MeasureCursors, NoFramesOrNoFileGiveNoReadout) {
  TempDir dir;
  TGraphRecord record;
  record.AcpShowMask = 1;
  FillRecord(record, dir, 1, 0, {});
  EXPECT_FALSE(MeasureCursors(record, 0, 0).valid);
  FillRecord(record, dir, 1, 0, {1, 2});
  record.SampleFile = dir.File("missing");
  EXPECT_FALSE(MeasureCursors(record, 0, 1).valid);
}

struct SummaryCase {
  const char* name;
  int64_t frame1, frame2;
  std::vector<std::pair<int, int16_t>> spikes;  // frame, code; the rest are 0
  double min, max;
};

// 10,000 frames: level-0 blocks of 64 frames up to 9984, two level-1 blocks
// of 4096 frames up to 8192.
TEST(MeasureCursors, SummaryGivesTheStreamedMinMax) {
  const SummaryCase cases[] = {
      {"extremes in the partial blocks at both ends",
       100,
       9000,
       {{50, -500}, {101, -300}, {8999, 400}, {9001, 500}},
       -300,
       400},
      {"extremes in whole level-0 blocks either side of a whole level-1 block",
       9000,
       100,
       {{127, -250}, {5000, 200}, {8500, 300}, {9500, 999}},
       -250,
       300},
      {"range inside one block", 130, 140, {{129, -9}, {135, 7}}, 0, 7},
      {"range past the last whole block", 9990, 9999, {{9980, 50}, {9995, -1}}, -1, 0},
      {"range on block edges", 64, 8191, {{63, -99}, {64, -11}, {8191, 12}, {8192, 99}}, -11, 12},
  };
  for (const SummaryCase& c : cases) {
    SCOPED_TRACE(c.name);
    TempDir dir;
    TGraphRecord record;
    record.AcpShowMask = 1;
    record.Base[0] = 511;
    std::vector<int16_t> codes(10'000, 0);
    for (const auto& [frame, code] : c.spikes) codes[static_cast<std::size_t>(frame)] = code;
    FillRecord(record, dir, 1, 0, codes);
    const CursorReadout streamed = MeasureCursors(record, c.frame1, c.frame2);
    ASSERT_TRUE(record.Summaries.Prepare(record));
    ASSERT_NE(record.Summaries.Find<int16_t>(record.SampleFile, 1), nullptr);
    const CursorReadout summarised = MeasureCursors(record, c.frame1, c.frame2);
    ASSERT_TRUE(streamed.valid && summarised.valid);
    const ChannelReadout &a = streamed.channels[0], &b = summarised.channels[0];
    EXPECT_EQ(a.min, c.min);
    EXPECT_EQ(a.max, c.max);
    EXPECT_EQ(b.min, a.min);
    EXPECT_EQ(b.max, a.max);
    EXPECT_EQ(b.mean, a.mean);
    EXPECT_EQ(b.rms, a.rms);
  }
}

TEST(MeasureCursors, FilteredDataIsNeverTakenFromASummary) {
  TempDir dir;
  TGraphRecord record;
  record.AcpShowMask = 1;
  record.Base[0] = 511;
  FillRecord(record, dir, 1, 0, std::vector<int16_t>(1000, 0));
  ASSERT_TRUE(record.Summaries.Prepare(record));
  // Rewritten with the same size and time, so the summary still looks valid.
  const auto time = std::filesystem::last_write_time(record.SampleFile);
  std::vector<int16_t> spiked(1000, 0);
  spiked[500] = 77;
  testing::WriteBytes(record.SampleFile, testing::Int16Bytes(spiked));
  std::filesystem::last_write_time(record.SampleFile, time);
  EXPECT_EQ(MeasureCursors(record, 0, 999).channels[0].max, 0);  // the summary's
  record.FilteredFile = record.SampleFile;
  EXPECT_EQ(MeasureCursors(record, 0, 999).channels[0].max, 77);
  record.FilteredFile.clear();  // the record must not delete the test's file
}

TEST(CursorReadoutText, TabSeparatedWithTheGivenDecimalSign) {
  TempDir dir;
  TGraphRecord record;
  record.AcpShowMask = 1;
  record.Duration = 1;
  record.ChanName[0] = "Ia";
  record.ChanUnit[0] = "А";
  record.Base[0] = 511;
  FillRecord(record, dir, 1, 0, {0, 1, 3});
  EXPECT_EQ(CursorReadoutText(record, MeasureCursors(record, 0, 2), ','),
            "t₁, c\t0\tt₂, c\t1\tΔt, c\t1\t1/Δt, Гц\t1\n"
            "Канал\tЕд.\tt₁\tt₂\tРазность\tМин.\tМакс.\tСреднее\tСКЗ\n"
            "Ia\tА\t0\t3\t3\t0\t3\t1,33333333333333\t1,82574185835055\n");
}

TEST(TurnedCursorReadoutText, TimesOneToARowThenAColumnPerChannel) {
  const struct {
    const char* text;
    const char* turned;
  } cases[] = {
      {"", ""},
      {"N₁\t1\tN₂\t3\tΔN\t2\n"
       "Канал\tЕд.\tt₁\tt₂\n"
       "Ia\tА\t5\t6\n"
       "W\tрад/с\t7\t8\n",
       "N₁\t1\nN₂\t3\nΔN\t2\n"
       "Канал\tIa\tW\nЕд.\tА\tрад/с\nt₁\t5\t7\nt₂\t6\t8\n"},
      // No channel shown: the header row alone stands as a column.
      {"t₁, c\t0\tt₂, c\t1\nКанал\tЕд.\n", "t₁, c\t0\nt₂, c\t1\nКанал\nЕд.\n"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TurnedCursorReadoutText(c.text), c.turned) << c.text;
  }
}

}  // namespace
}  // namespace tornel
