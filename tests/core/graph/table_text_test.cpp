#include "core/graph/table_text.h"

#include <gtest/gtest.h>

#include "sample_bytes.h"
#include "tests/support/temp_dir.h"

namespace tornel {
namespace {

using tornel::testing::Int16Bytes;
using tornel::testing::WriteBytes;

class TableTextTest : public ::testing::Test {
protected:
  TableTextTest() {
    record.AcpMask = 0b1;
    record.CapMask = 0b1;
    record.ChanName[0] = "U";
    record.ChanUnit[0] = "В";
    record.ChanName[16] = "I";
    record.ChanUnit[16] = "А";
    record.Base[0] = 10;
    record.Base[16] = 5.11;
    record.Duration = 1.0;
    record.FrameCount = 3;
    WriteBytes(file, Int16Bytes({511, 0, -511, 511, 100, -100}));
  }
  TableColumns Table() const { return TableColumns(record, {1, 1}); }
  TableTextRequest Whole() const { return {0, 3, 0, 3, true, {}}; }

  tornel::testing::TempDir dir;
  std::string file = dir.File("Trn7");
  TGraphRecord record;
};

TEST_F(TableTextTest, TheWholeTableWithHeadersAndTheLocalesDecimalSign) {
  EXPECT_EQ(TableText(Table(), file, Whole(), ','),
            "t, c\tU, В\tI, А\n"
            "0,000\t10,000\t0,000\n"
            "0,500\t-10,000\t5,110\n"
            "1,000\t1,957\t-1,000\n");
}

TEST_F(TableTextTest, ABlockOfCells) {
  EXPECT_EQ(TableText(Table(), file, {1, 2, 2, 1, false, {}}, '.'), "5.110\n-1.000\n");
  EXPECT_EQ(TableText(Table(), file, {0, 2, 0, 2, false, {}}, '.'),
            "0.000\t10.000\n0.500\t-10.000\n");
}

TEST_F(TableTextTest, CellsOutsideTheSelectionStayEmpty) {
  TableTextRequest r{0, 3, 1, 2, false, [](int64_t frame, int column) {
                       return (frame == 0 && column == 1) || (frame == 2 && column == 2);
                     }};
  EXPECT_EQ(TableText(Table(), file, r, '.'), "10.000\t\n\t\n\t-1.000\n");
}

TEST_F(TableTextTest, FramesThatCannotBeReadGiveEmptyValues) {
  WriteBytes(file, Int16Bytes({511, 0, -511, 511, 100}));  // the last frame is cut
  EXPECT_EQ(TableText(Table(), file, {0, 3, 0, 3, false, {}}, '.'),
            "0.000\t10.000\t0.000\n0.500\t-10.000\t5.110\n1.000\t\t\n");
  EXPECT_EQ(TableText(Table(), dir.File("missing"), {0, 3, 0, 3, false, {}}, '.'),
            "0.000\t\t\n0.500\t\t\n1.000\t\t\n");
}

TEST_F(TableTextTest, ARequestPastTheTableIsCut) {
  EXPECT_EQ(TableText(Table(), file, {2, 50, 2, 9, false, {}}, '.'), "-1.000\n");
  EXPECT_EQ(TableText(Table(), file, {7, 5, 0, 3, false, {}}, '.'), "");
}

TEST_F(TableTextTest, ReadsPastTheFirstChunkOfFrames) {
  std::vector<int16_t> v;
  for (int f = 0; f < 5000; ++f) {
    v.push_back(static_cast<int16_t>(f % 512));
    v.push_back(0);
  }
  WriteBytes(file, Int16Bytes(v));
  record.FrameCount = 5000;
  const std::string text = TableText(Table(), file, {4095, 3, 1, 1, false, {}}, '.');
  // Codes 4095 % 512 = 511, then 0 and 1 of 4096 and 4097: 10, 0 and 10 / 511.
  EXPECT_EQ(text, "10.000\n0.000\n0.020\n");
}

}  // namespace
}  // namespace tornel
