#include "core/graph/curve_color_keys.h"

#include <gtest/gtest.h>

#include "core/records/graph_record.h"
#include "core/text/user_error.h"
#include "tests/support/temp_dir.h"

namespace tornel {
namespace {

TEST(WriteCurveColors, StoresFortyKeysThatNewRecordsReadBack) {
  tornel::testing::TempDir dir;
  const std::string ini = dir.File("Tornel.ini");
  tornel::testing::WriteBytes(ini, "[Colors]\r\ncolor1=clRed\r\n[Other]\r\nkey=1\r\n");
  std::array<Color, kChannelSlots> chan{};
  std::array<Color, kDependencyCount> dep{};
  for (int s = 0; s < kChannelSlots; ++s) chan[s] = 0x010000u * static_cast<Color>(s + 1);
  for (int k = 0; k < kDependencyCount; ++k) dep[k] = 0x000101u * static_cast<Color>(k + 1);
  chan[0] = 0x000080;  // clMaroon
  dep[7] = 0xFFFFFF;   // clWhite

  WriteCurveColors(ini, chan, dep);

  const std::string text = tornel::testing::ReadBytes(ini);
  EXPECT_NE(text.find("color1=clMaroon\r\n"), std::string::npos) << text;
  EXPECT_NE(text.find("color2=$00020000\r\n"), std::string::npos) << text;
  EXPECT_NE(text.find("CAP_color16=$00200000\r\n"), std::string::npos) << text;
  EXPECT_NE(text.find("funcs_color1=$00000101\r\n"), std::string::npos) << text;
  EXPECT_NE(text.find("funcs_color8=clWhite\r\n"), std::string::npos) << text;
  EXPECT_NE(text.find("[Other]\r\nkey=1\r\n"), std::string::npos) << text;
  EXPECT_EQ(text.find("funcs_color9"), std::string::npos);

  ChannelTable table;
  table.ConfigPath = ini;
  TGraphRecord fresh;
  fresh.InitRecord(table);
  EXPECT_EQ(fresh.ChanColor, chan);
  EXPECT_EQ(fresh.DepColor, dep);
}

TEST(WriteCurveColors, AFileThatCannotBeWrittenIsReported) {
  tornel::testing::TempDir dir;
  const std::string file = dir.File("plain");
  tornel::testing::WriteBytes(file, "x");
  EXPECT_THROW(WriteCurveColors(file + "/Tornel.ini", {}, {}), UserError);
}

}  // namespace
}  // namespace tornel
