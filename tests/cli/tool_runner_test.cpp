#include "cli/tool_runner.h"

#include <gtest/gtest.h>

#include <regex>
#include <sstream>

#include "tests/cli/tool_run.h"
#include "tests/core/records/hand_file.h"
#include "tests/support/temp_dir.h"

namespace tornel::cli {
namespace {

using tornel::testing::HandFile;
using tornel::testing::ReadBytes;
using tornel::testing::TempDir;
using tornel::testing::WriteBytes;

const char kCsvSemicolon[] =
    "t, c;Ica, A;Ток, кВт;\r\n"
    "0;1;-2;3,326810176125244\r\n"
    "2;0;0,003913894324853229;-0,033268101761252444\r\n";

TEST(Tool, UsageErrorsExitWithTwoAndShowTheUsage) {
  const std::vector<std::vector<std::string>> cases = {
      {},
      {"convert", "a.dta"},
      {"info"},
      {"export-csv"},
      {"info", "a.dta", "b.dta"},
      {"info", "a.dta", "--sep", ";"},  // export-csv's keys only
      {"export-csv", "a.dta", "--sep"},
      {"export-csv", "a.dta", "--sep", ";;"},
      {"export-csv", "a.dta", "--sep", ";", "--decimal", ";"},
      {"export-csv", "a.dta", "--decimal", "5"},
      {"export-csv", "a.dta", "--sep", "\""},
      {"export-csv", "a.dta", "--sep", ",", "--decimal", ","},
      {"export-csv", "a.dta", "--frobnicate"},
  };
  for (const auto& args : cases) {
    const ToolRun r = Tool(args);
    EXPECT_EQ(r.code, 2) << (args.empty() ? "" : args.back());
    EXPECT_NE(r.err.find("Использование:"), std::string::npos);
    EXPECT_EQ(r.out, "");
  }
  for (const char* key : {"--version", "-v"}) {
    const ToolRun version = Tool({key});
    EXPECT_EQ(version.code, 0);
    EXPECT_TRUE(std::regex_match(
        version.out, std::regex("tornel-tool \\(TornelAD\\)\\. Версия 3\\.0, сборка [0-9]+\n")))
        << version.out;
  }
  EXPECT_EQ(Tool({"info", "--version"}).code, 2);
  const ToolRun help = Tool({"--help"});
  EXPECT_EQ(help.code, 0);
  EXPECT_EQ(help.out.rfind("Использование:", 0), 0u);
}

TEST(Tool, FailuresPrintTheRussianTextAndExitWithOne) {
  TempDir dir;
  WriteBytes(dir.File("other.bin"), "something else entirely");
  const ToolRun missing = Tool({"info", dir.File("none.dta")});
  EXPECT_EQ(missing.code, 1);
  EXPECT_EQ(missing.err, "Не удалось открыть файл " + dir.File("none.dta") + "\n");
  const ToolRun other = Tool({"export-csv", dir.File("other.bin")});
  EXPECT_EQ(other.code, 1);
  EXPECT_EQ(other.err, "Файл создан другой программой\n" + dir.File("other.bin") + "\n");
  EXPECT_EQ(other.out, "");
}

TEST(Tool, InfoDescribesTheFile) {
  TempDir dir;
  WriteBytes(dir.File("a.dta"), HandFile().Str());
  const ToolRun r = Tool({"info", dir.File("a.dta")});
  EXPECT_EQ(r.code, 0);
  EXPECT_EQ(r.out.rfind("Файл: " + dir.File("a.dta") + "\nСигнатура:", 0), 0u) << r.out;
  EXPECT_NE(r.out.find("  1  АЦП 2  Ток, кВт"), std::string::npos);
  EXPECT_NE(r.out.find("Кадров: 2\n"), std::string::npos);
}

TEST(Tool, ExportCsvToStandardOutputAndToAFile) {
  TempDir dir;
  WriteBytes(dir.File("a.dta"), HandFile().Str());
  const ToolRun r = Tool({"export-csv", dir.File("a.dta"), "--sep", ";", "--decimal", ","});
  EXPECT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out, kCsvSemicolon);

  const ToolRun toFile = Tool(
      {"export-csv", "--sep", ";", dir.File("a.dta"), "-o", dir.File("a.csv"), "--decimal", ","});
  EXPECT_EQ(toFile.code, 0) << toFile.err;
  EXPECT_EQ(toFile.out, "");
  EXPECT_EQ(ReadBytes(dir.File("a.csv")), kCsvSemicolon);

  // A decimal comma alone brings the semicolon with it.
  const ToolRun comma = Tool({"export-csv", dir.File("a.dta"), "--decimal", ","});
  EXPECT_EQ(comma.code, 0) << comma.err;
  EXPECT_EQ(comma.out, kCsvSemicolon);

  const ToolRun tab = Tool({"export-csv", dir.File("a.dta"), "--sep", "tab"});
  EXPECT_EQ(tab.out.substr(0, 12), "t, c\tIca, A\t");
}

TEST(Tool, ExportCsvOutputErrors) {
  TempDir dir;
  WriteBytes(dir.File("a.dta"), HandFile().Str());
  WriteBytes(dir.File("plain"), "x");
  const ToolRun blocked =
      Tool({"export-csv", dir.File("a.dta"), "-o", dir.File("plain") + "/x.csv"});
  EXPECT_EQ(blocked.code, 1);
  EXPECT_EQ(blocked.err, "Не удалось создать файл " + dir.File("plain") + "/x.csv\n");

  const ToolRun full = Tool({"export-csv", dir.File("a.dta"), "-o", "/dev/full"});
  EXPECT_EQ(full.code, 1);
  EXPECT_EQ(full.err, "Не удалось записать файл /dev/full\n");

  const ToolRun same = Tool({"export-csv", dir.File("a.dta"), "-o", dir.File("a.dta")});
  EXPECT_EQ(same.code, 1);
  EXPECT_EQ(ReadBytes(dir.File("a.dta")), HandFile().Str()) << "the data file must survive";
}

}  // namespace
}  // namespace tornel::cli
