#include "core/graph/record_sort.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/graph/filtered_samples.h"
#include "core/text/user_error.h"
#include "tests/core/graph/sample_bytes.h"
#include "tests/core/records/summary_check.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/temp_dir.h"

namespace tornel {
namespace {

using tornel::testing::Int16Bytes;
using tornel::testing::ReadBytes;
using tornel::testing::WriteBytes;

TEST(ExchangeSortOrder, LeavesEqualKeysWhereTheExchangesPutThem) {
  struct Case {
    std::vector<int16_t> keys;
    std::vector<uint32_t> order;
  };
  const Case cases[] = {
      {{2, 2, 1}, {2, 1, 0}},  // A, B, C gives C, B, A
      {{2, 1, 1}, {2, 1, 0}},
      {{1, 2, 1}, {0, 2, 1}},
      {{1, 1}, {0, 1}},
      {{3, 1, 2}, {1, 2, 0}},
      {{-32768, 32767, 0}, {0, 2, 1}},
      {{5}, {0}},
      {{}, {}},
  };
  for (const Case& c : cases) EXPECT_EQ(ExchangeSortOrder(c.keys), c.order);
}

class RecordSortTest : public ::testing::Test {
protected:
  RecordSortTest() {
    record.IsStatic = true;
    record.AcpMask = 0b1;
    record.CapMask = 0b1;
    record.OrigFile = dir.File("TrSt1");
    record.FilteredFile = record.OrigFile + "f";
    // Frames A, B, C: (ADC 1, DAC 1); the trailing odd byte is no frame.
    WriteBytes(record.OrigFile, Int16Bytes({10, 2, 20, 2, 30, 1}) + "x");
    WriteBytes(record.FilteredFile, Int16Bytes({0, 0, 0, 0, 0, 0}));
    record.HasFiltered = true;
    record.SampleFile = record.FilteredFile;
  }
  tornel::testing::TempDir dir;
  TGraphRecord record;
};

TEST_F(RecordSortTest, SortsTheRecordedFramesAndDropsTheFilteredCopy) {
  record.Summaries.Put(record.FilteredFile, *SampleSummary<int16_t>::Build(record.FilteredFile, 2));
  SortRecordRows(record, 1);
  EXPECT_EQ(ReadBytes(record.OrigFile), Int16Bytes({30, 1, 20, 2, 10, 2}));
  EXPECT_TRUE(tornel::testing::MatchesItsFile(record.Summaries.Find<int16_t>(record.OrigFile, 2),
                                              record.OrigFile, 2));
  EXPECT_EQ(record.Summaries.Size(), 1u);  // none of the deleted copy
  EXPECT_FALSE(std::filesystem::exists(record.FilteredFile));
  EXPECT_EQ(record.SampleFile, record.OrigFile);
  EXPECT_FALSE(record.HasFiltered);
  EXPECT_EQ(FilterMenuStateOf(record), (FilterMenuState{false, true, false, false, false}));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()),
                          std::filesystem::directory_iterator()),
            1);
}

TEST_F(RecordSortTest, AFailingWriteLeavesTheRecordAsItWas) {
  const std::string before = ReadBytes(record.OrigFile);
  {
    tornel::testing::FileSizeLimit limit(4);
    EXPECT_THROW(SortRecordRows(record, 0), UserError);
  }
  EXPECT_EQ(record.Summaries.Size(), 0u);
  EXPECT_EQ(ReadBytes(record.OrigFile), before);
  EXPECT_TRUE(record.HasFiltered);
  EXPECT_EQ(record.SampleFile, record.FilteredFile);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.Path()),
                          std::filesystem::directory_iterator()),
            2);
}

// 7001 frames of three values, more than any chunk the sort reads or writes
// in, sorted by the last: the keys are a permutation of -3500..3500, the
// other two values name the frame's original place, so a frame torn apart or
// dropped shows.
TEST_F(RecordSortTest, SortsWholeFramesAcrossChunks) {
  const int n = 7001;  // prime, so i * 2903 mod n visits every key once
  const auto key = [&](int i) { return static_cast<int16_t>(i * 2903 % n - n / 2); };
  std::vector<int16_t> values;
  for (int i = 0; i < n; ++i) {
    values.insert(values.end(), {static_cast<int16_t>(i), static_cast<int16_t>(-i), key(i)});
  }
  record.AcpMask = 0b11;
  record.CapMask = 0b1;
  WriteBytes(record.OrigFile, Int16Bytes(values));
  {
    tornel::testing::FileSizeLimit limit(values.size() * 2);
    SortRecordRows(record, 2);
  }
  EXPECT_TRUE(tornel::testing::MatchesItsFile(record.Summaries.Find<int16_t>(record.OrigFile, 3),
                                              record.OrigFile, 3));
  const std::string bytes = ReadBytes(record.OrigFile);
  ASSERT_EQ(bytes.size(), values.size() * 2);
  for (int place = 0; place < n; ++place) {
    const auto at = [&](int c) {
      return static_cast<int16_t>(static_cast<unsigned char>(bytes[6 * place + 2 * c]) |
                                  static_cast<unsigned char>(bytes[6 * place + 2 * c + 1]) << 8);
    };
    ASSERT_EQ(at(2), place - n / 2) << "place " << place;
    ASSERT_EQ(at(1), -at(0)) << "place " << place;
    ASSERT_EQ(key(at(0)), at(2)) << "place " << place;
  }
}

}  // namespace
}  // namespace tornel
