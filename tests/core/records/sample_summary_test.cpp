#include "core/records/sample_summary.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/records/graph_record.h"
#include "tests/core/graph/sample_bytes.h"
#include "tests/support/temp_dir.h"

namespace tornel {
namespace {

using testing::DoubleBytes;
using testing::Int16Bytes;
using testing::TempDir;
using testing::WriteBytes;

// 4166 frames of two channels: channel 0 is 0 with a spike of 500 at frame
// 100 and a dip of -300 at frame 4100, channel 1 the frame's block of 64.
std::vector<int16_t> TwoChannels() {
  std::vector<int16_t> codes;
  for (int i = 0; i < 4166; ++i) {
    codes.push_back(static_cast<int16_t>(i == 100 ? 500 : i == 4100 ? -300 : 0));
    codes.push_back(static_cast<int16_t>(i / 64));
  }
  return codes;
}

TEST(SampleSummary, LevelsHoldTheMinimumAndMaximumOfWholeBlocks) {
  TempDir dir;
  WriteBytes(dir.File("s"), Int16Bytes(TwoChannels()));
  const auto s = SampleSummary<int16_t>::Build(dir.File("s"), 2);
  ASSERT_TRUE(s);
  EXPECT_EQ(s->Frames(), 4166);
  // 4166 frames make 65 blocks of 64 (frames 4160..4165 belong to none), and
  // those one block of 4096.
  ASSERT_EQ(s->Levels(), 2);
  EXPECT_EQ(s->Blocks(0), 65);
  EXPECT_EQ(s->Blocks(1), 1);
  EXPECT_EQ(SampleSummary<int16_t>::BlockFrames(1), 4096);
  EXPECT_EQ(s->Maxs(0, 0)[1], 500);  // frame 100 is in block 1
  EXPECT_EQ(s->Mins(0, 0)[1], 0);
  EXPECT_EQ(s->Maxs(0, 0)[0], 0);
  EXPECT_EQ(s->Mins(0, 0)[64], -300);  // frame 4100
  EXPECT_EQ(s->Mins(0, 1)[37], 37);
  EXPECT_EQ(s->Maxs(0, 1)[64], 64);
  EXPECT_EQ(s->Maxs(1, 0)[0], 500);
  EXPECT_EQ(s->Mins(1, 0)[0], 0);  // the dip lies past the first 4096 frames
  EXPECT_EQ(s->Mins(1, 1)[0], 0);
  EXPECT_EQ(s->Maxs(1, 1)[0], 63);
  // (65 + 1) blocks x 2 channels x min and max x 2 bytes.
  EXPECT_EQ(s->Bytes(), 528);
}

TEST(SampleSummary, SixteenChannelsTakeAboutAThirtySecondOfTheFile) {
  TempDir dir;
  WriteBytes(dir.File("s"), Int16Bytes(std::vector<int16_t>(16 * 64 * 64, 7)));
  const auto s = SampleSummary<int16_t>::Build(dir.File("s"), 16);
  ASSERT_TRUE(s);
  // 131072 bytes; 64 + 1 blocks x 16 channels x 2 values x 2 bytes.
  EXPECT_EQ(s->Bytes(), 4160);
}

TEST(SampleSummary, DoublesAreSummarisedAsDoubles) {
  TempDir dir;
  std::vector<double> values(130, 0.5);
  values[70] = -2.25;
  WriteBytes(dir.File("d"), DoubleBytes(values));
  const auto s = SampleSummary<double>::Build(dir.File("d"), 1);
  ASSERT_TRUE(s);
  ASSERT_EQ(s->Blocks(0), 2);
  EXPECT_EQ(s->Mins(0, 0)[0], 0.5);
  EXPECT_EQ(s->Mins(0, 0)[1], -2.25);
  EXPECT_EQ(s->Maxs(0, 0)[1], 0.5);
}

TEST(SampleSummary, ProgressCountsTheFramesAndCanCancel) {
  TempDir dir;
  // 16 channels read 8192 frames (256 KiB) at a time: 100000 frames take
  // twelve whole reads and a last one up to the last whole block.
  WriteBytes(dir.File("s"), Int16Bytes(std::vector<int16_t>(16 * 100'000, 1)));
  ASSERT_EQ(SampleSummary<int16_t>::ReadFrames(16), 8192);
  std::vector<int64_t> seen;
  auto record = [&](int64_t done, int64_t total) {
    EXPECT_EQ(total, 100'000);
    seen.push_back(done);
    return true;
  };
  ASSERT_TRUE(SampleSummary<int16_t>::Build(dir.File("s"), 16, record));
  std::vector<int64_t> expected;
  for (int64_t done = 8192; done <= 98304; done += 8192) expected.push_back(done);
  expected.push_back(1562 * 64);  // the last whole block ends at frame 99968
  EXPECT_EQ(seen, expected);
  int calls = 0;
  auto cancel = [&](int64_t, int64_t) { return ++calls < 2; };
  EXPECT_FALSE(SampleSummary<int16_t>::Build(dir.File("s"), 16, cancel));
  EXPECT_EQ(calls, 2);
}

TEST(SampleSummary, NothingIsBuiltForAMissingFileOrNoChannels) {
  TempDir dir;
  WriteBytes(dir.File("s"), Int16Bytes({1, 2, 3}));
  EXPECT_FALSE(SampleSummary<int16_t>::Build(dir.File("gone"), 1));
  EXPECT_FALSE(SampleSummary<int16_t>::Build(dir.File("s"), 0));
  // Too short for a block: a summary of no blocks, not a failure.
  const auto s = SampleSummary<int16_t>::Build(dir.File("s"), 1);
  ASSERT_TRUE(s);
  EXPECT_EQ(s->Blocks(0), 0);
}

class Cache : public ::testing::Test {
protected:
  Cache() {
    record.AcpMask = 0b11;
    record.SampleFile = record.OrigFile = File("orig", 4096);
    record.FilteredFile = File("origf", 4096);
  }
  std::string File(const std::string& name, int frames) {
    WriteBytes(dir.File(name), Int16Bytes(std::vector<int16_t>(2 * frames, 3)));
    return dir.File(name);
  }
  bool Has(const std::string& path) const {
    return record.Summaries.Find<int16_t>(path, 2) != nullptr;
  }

  TempDir dir;
  TGraphRecord record;
};

TEST_F(Cache, PrepareSummarisesTheSampleFileAndTheComparisonCopiesThatAreOn) {
  record.CompareTemp[0] = File("on", 100);
  record.CompareOn[0] = true;
  record.CompareTemp[1] = File("off", 100);
  // 4096 frames of two int16 values and 100 more frames.
  EXPECT_EQ(record.Summaries.PendingBytes(record), 4096 * 4 + 100 * 4);
  ASSERT_TRUE(record.Summaries.Prepare(record));
  EXPECT_TRUE(Has(record.SampleFile));
  EXPECT_TRUE(Has(record.CompareTemp[0]));
  EXPECT_FALSE(Has(record.CompareTemp[1]));
  EXPECT_FALSE(Has(record.FilteredFile));
  EXPECT_EQ(record.Summaries.PendingBytes(record), 0);
  // The wrong sample type or channel count is another summary.
  EXPECT_EQ(record.Summaries.Find<double>(record.SampleFile, 2), nullptr);
  EXPECT_EQ(record.Summaries.Find<int16_t>(record.SampleFile, 1), nullptr);
}

TEST_F(Cache, AFileThatChangedIsSummarisedAgain) {
  ASSERT_TRUE(record.Summaries.Prepare(record));
  File("orig", 5000);
  EXPECT_FALSE(Has(record.SampleFile));
  ASSERT_TRUE(record.Summaries.Prepare(record));
  ASSERT_TRUE(Has(record.SampleFile));
  EXPECT_EQ(record.Summaries.Find<int16_t>(record.SampleFile, 2)->Frames(), 5000);
}

TEST_F(Cache, ShowingFilteredSamplesKeepsTheOriginalsSummaryAndDropsStrangers) {
  ASSERT_TRUE(record.Summaries.Prepare(record));
  record.SampleFile = record.FilteredFile;
  ASSERT_TRUE(record.Summaries.Prepare(record));
  EXPECT_TRUE(Has(record.OrigFile));
  EXPECT_TRUE(Has(record.FilteredFile));
  record.OrigFile = File("other", 10);  // a record that no longer names "orig"
  ASSERT_TRUE(record.Summaries.Prepare(record));
  EXPECT_EQ(record.Summaries.Size(), 1u);
  record.Summaries.Forget(record.FilteredFile);
  EXPECT_FALSE(Has(record.FilteredFile));
}

TEST_F(Cache, CancelledPreparationReportsItAndLeavesNoHalfSummary) {
  EXPECT_FALSE(record.Summaries.Prepare(record, [](int64_t, int64_t) { return false; }));
  EXPECT_FALSE(Has(record.SampleFile));
  EXPECT_EQ(record.Summaries.PendingBytes(record), 4096 * 4);
}

TEST_F(Cache, SummariesGoWithTheRecordsFiles) {
  ASSERT_TRUE(record.Summaries.Prepare(record));
  TGraphRecord moved(std::move(record));
  EXPECT_EQ(moved.Summaries.Size(), 1u);
  EXPECT_EQ(record.Summaries.Size(), 0u);
  moved.DestroyRecord();
  EXPECT_EQ(moved.Summaries.Size(), 0u);
}

}  // namespace
}  // namespace tornel
