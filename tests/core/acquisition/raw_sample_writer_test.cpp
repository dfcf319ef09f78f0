#include "core/acquisition/raw_sample_writer.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "tests/support/temp_dir.h"

namespace tornel {
namespace {

using testing::ReadBytes;
using testing::TempDir;

TEST(RawSampleWriter, ScansLandLittleEndianAcrossManyFlushes) {
  TempDir dir;
  std::string path = dir.File("Trn7");
  RawSampleWriter writer(8);  // two scans per flush
  ASSERT_TRUE(writer.Create(path, 2));
  std::string expected;
  for (int16_t i = 0; i < 5; ++i) {
    int16_t scan[2] = {static_cast<int16_t>(0x0102 + i), static_cast<int16_t>(-1 - i)};
    ASSERT_TRUE(writer.Append(scan));
    expected += std::string{static_cast<char>(0x02 + i), 0x01};
    expected += std::string{static_cast<char>(0xFF - i), static_cast<char>(0xFF)};
  }
  // Four scans have been flushed before the fifth fitted.
  EXPECT_EQ(ReadBytes(path).size(), 16u);
  EXPECT_TRUE(writer.Close());
  EXPECT_EQ(ReadBytes(path), expected);
  EXPECT_EQ(writer.ScansKept(), 5u);
  EXPECT_FALSE(writer.Failed());
}

TEST(RawSampleWriter, CreateTruncatesAnOldFile) {
  TempDir dir;
  std::string path = dir.File("Trn8");
  testing::WriteBytes(path, "old contents");
  RawSampleWriter writer;
  ASSERT_TRUE(writer.Create(path, 1));
  EXPECT_TRUE(writer.Close());
  EXPECT_EQ(ReadBytes(path), "");
}

TEST(RawSampleWriter, PathUnderARegularFileCannotBeCreated) {
  TempDir dir;
  testing::WriteBytes(dir.File("plain"), "x");
  RawSampleWriter writer;
  EXPECT_FALSE(writer.Create(dir.File("plain") + "/Trn1", 1));
  EXPECT_FALSE(writer.IsOpen());
  int16_t scan[1] = {1};
  EXPECT_FALSE(writer.Append(scan) && writer.Close() && writer.ScansKept() == 1);
}

TEST(RawSampleWriter, FullDeviceFailsAtTheFlushAndRefusesFurtherScans) {
  RawSampleWriter writer(4);
  ASSERT_TRUE(writer.Create("/dev/full", 2));
  int16_t scan[2] = {1, 2};
  EXPECT_TRUE(writer.Append(scan));   // buffered
  EXPECT_FALSE(writer.Append(scan));  // needs the flush, which fails
  EXPECT_TRUE(writer.Failed());
  EXPECT_FALSE(writer.Append(scan));
  EXPECT_FALSE(writer.Close());
  EXPECT_EQ(writer.ScansKept(), 0u);
  EXPECT_FALSE(writer.TakeSummary());
}

TEST(RawSampleWriter, SummaryComesOnceTheFileIsClosedAndOnlyOnce) {
  TempDir dir;
  std::string path = dir.File("Trn10");
  RawSampleWriter writer(5 * 6);  // five scans of three values per flush
  ASSERT_TRUE(writer.Create(path, 3));
  for (int16_t i = 0; i < 130; ++i) {
    const int16_t scan[3] = {i, static_cast<int16_t>(-i), static_cast<int16_t>(i % 7)};
    ASSERT_TRUE(writer.Append(scan));
  }
  EXPECT_FALSE(writer.TakeSummary());  // still open: more may come
  ASSERT_TRUE(writer.Close());
  const auto summary = writer.TakeSummary();
  ASSERT_TRUE(summary);
  // Frames 0-63 and 64-127 (128 and 129 make no whole block).
  ASSERT_EQ(summary->Blocks(0), 2);
  EXPECT_EQ(summary->Frames(), 130);
  EXPECT_EQ(summary->Maxs(0, 0)[1], 127);
  EXPECT_EQ(summary->Mins(0, 1)[1], -127);
  EXPECT_EQ(summary->Maxs(0, 1)[1], -64);
  EXPECT_EQ(summary->Mins(0, 2)[0], 0);
  EXPECT_EQ(summary->Maxs(0, 2)[0], 6);
  EXPECT_FALSE(writer.TakeSummary());
}

TEST(RawSampleWriter, ClosingWithoutAScanLeavesAnEmptyFile) {
  TempDir dir;
  std::string path = dir.File("Trn9");
  {
    RawSampleWriter writer;
    ASSERT_TRUE(writer.Create(path, 3));
  }  // the destructor closes
  EXPECT_EQ(ReadBytes(path), "");
}

}  // namespace
}  // namespace tornel
