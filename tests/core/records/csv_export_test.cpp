#include "core/records/csv_export.h"

#include <gtest/gtest.h>

#include <sstream>

#include "core/text/user_error.h"
#include "tests/core/records/hand_file.h"
#include "tests/support/temp_dir.h"

namespace tornel {
namespace {

using testing::HandFile;
using testing::Layout;
using testing::TempDir;
using testing::WriteBytes;

std::string Export(const std::string& path, CsvOptions options = {}) {
  std::ostringstream out;
  ExportDtaToCsv(path, out, "out.csv", options);
  return out.str();
}

// The hand-made file records ADC 1 "Ica, A" (Base 1), ADC 2 "Ток, кВт"
// (Base 2) and DAC 1 with no name (Base 17) over 2 s, frames (511, -511, 100)
// and (0, 1, -1). Expected numbers: 100 / 511 * 17 = 3.326810176125244,
// 1 / 511 * 2 = 0.003913894324853229, -1 / 511 * 17 = -0.033268101761252444
// (shortest round-trip forms, worked out independently).
TEST(CsvExport, TransientRecordWithDefaultSeparators) {
  TempDir dir;
  WriteBytes(dir.File("a.dta"), HandFile().Str() + "\x05");
  EXPECT_EQ(Export(dir.File("a.dta")),
            "\"t, c\",\"Ica, A\",\"Ток, кВт\",\r\n"
            "0,1,-2,3.326810176125244\r\n"
            "2,0,0.003913894324853229,-0.033268101761252444\r\n");
}

TEST(CsvExport, SemicolonAndDecimalComma) {
  TempDir dir;
  WriteBytes(dir.File("a.dta"), HandFile().Str());
  EXPECT_EQ(Export(dir.File("a.dta"), {';', ','}),
            "t, c;Ica, A;Ток, кВт;\r\n"
            "0;1;-2;3,326810176125244\r\n"
            "2;0;0,003913894324853229;-0,033268101761252444\r\n");
  // A separator equal to the decimal sign still gives a readable file.
  EXPECT_NE(Export(dir.File("a.dta"), {',', ','}).find("\r\n0,1,-2,\"3,326810176125244\"\r\n"),
            std::string::npos);
}

TEST(CsvExport, StaticRecordNumbersItsPointsAndQuotesQuotes) {
  TempDir dir;
  Layout layout;
  std::string bytes = HandFile(&layout, "I\"a").Str();
  bytes[layout.masks - 9] = '\x01';  // IsStatic, just before Duration and the masks
  WriteBytes(dir.File("s.dta"), bytes);
  EXPECT_EQ(Export(dir.File("s.dta")),
            "№,\"I\"\"a, A\",\"Ток, кВт\",\r\n"
            "1,1,-2,3.326810176125244\r\n"
            "2,0,0.003913894324853229,-0.033268101761252444\r\n");
}

TEST(CsvExport, TimeStepsOverManyFramesAndChunks) {
  // One channel (ADC 1, Base 1), 2501 frames over 2.5 s: frame i at i / 1000 s.
  DtaHeader h;
  h.AcpMask = 1;
  h.Base[0] = 1;
  h.Duration = 2.5;
  h.ChanName[0] = "U";
  TempDir dir;
  std::string samples;
  for (int i = 0; i < 2501; ++i) samples += std::string("\x07\x00", 2);
  WriteBytes(dir.File("s"), samples);
  SampleFileReader<int16_t> reader(dir.File("s"), 1);
  std::ostringstream out;
  WriteCsv(h, reader, 511, out, {});
  const std::string csv = out.str();
  EXPECT_EQ(csv.substr(0, 10), "\"t, c\",U\r\n");
  std::size_t rows = 0;
  for (char c : csv) rows += c == '\n';
  EXPECT_EQ(rows, 2502u);
  EXPECT_NE(csv.find("\r\n1.5,0.0136986301369863\r\n"), std::string::npos);  // 7 / 511
  EXPECT_NE(csv.find("\r\n2.5,0.0136986301369863\r\n"), std::string::npos);
}

TEST(CsvExport, FrameTimesReadAsTheirDecimals) {
  // 301 frames over 0.3 s: frame 3 at 0.003 s, not 3 * 0.3 / 300 =
  // 0.0029999999999999996.
  DtaHeader h;
  h.AcpMask = 1;
  h.Base[0] = 1;
  h.Duration = 0.3;
  TempDir dir;
  std::string samples;
  for (int i = 0; i < 301; ++i) samples += std::string("\x00\x00", 2);
  WriteBytes(dir.File("s"), samples);
  SampleFileReader<int16_t> reader(dir.File("s"), 1);
  std::ostringstream out;
  WriteCsv(h, reader, 511, out, {});
  EXPECT_NE(out.str().find("\r\n0.002,0\r\n0.003,0\r\n0.004,0\r\n"), std::string::npos);
  EXPECT_NE(out.str().find("\r\n0.194,0\r\n"), std::string::npos);
}

TEST(CsvExport, ErrorsOfTheReaderAndOfTheOutput) {
  TempDir dir;
  try {
    Export(dir.File("none.dta"));
    ADD_FAILURE();
  } catch (const UserError& e) {
    EXPECT_EQ(std::string(e.what()), "Не удалось открыть файл " + dir.File("none.dta"));
  }
  WriteBytes(dir.File("a.dta"), HandFile().Str());
  std::ostringstream broken;
  broken.setstate(std::ios::badbit);
  try {
    ExportDtaToCsv(dir.File("a.dta"), broken, "out.csv", {});
    ADD_FAILURE();
  } catch (const UserError& e) {
    EXPECT_EQ(std::string(e.what()), "Не удалось записать файл out.csv");
  }
}

}  // namespace
}  // namespace tornel
