#include "cli/filter_command.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "tests/cli/tool_run.h"
#include "tests/core/graph/sample_bytes.h"
#include "tests/core/records/hand_file.h"
#include "tests/core/records/scoped_tmpdir.h"
#include "tests/support/temp_dir.h"

namespace tornel::cli {
namespace {

namespace fs = std::filesystem;
using tornel::testing::HandFile;
using tornel::testing::Int16Bytes;
using tornel::testing::Layout;
using tornel::testing::ReadBytes;
using tornel::testing::TempDir;
using tornel::testing::WriteBytes;

// The hand-made file: ADC 1, ADC 2, DAC 1 over 2 s, frames (511, -511, 100)
// and (0, 1, -1); `isStatic` marks it a static characteristic.
class FilterCommandTest : public ::testing::Test {
protected:
  std::string Input(bool isStatic = false) {
    std::string bytes = HandFile(&layout).Str();
    bytes[layout.masks - 9] = isStatic ? 1 : 0;  // IsStatic precedes Duration
    WriteBytes(input, bytes);
    return bytes;
  }
  TempDir dir;
  tornel::testing::ScopedTmpDir tmp{dir.File("")};
  Layout layout;
  std::string input = dir.File("in.dta");
  std::string output = dir.File("out.dta");
};

TEST_F(FilterCommandTest, WritesTheRecordWithTheFilteredSamples) {
  struct Case {
    std::vector<std::string> args;
    bool isStatic;
    std::vector<int16_t> samples;
  };
  const Case cases[] = {
      {{"--abs"}, false, {511, 511, 100, 0, 1, -1}},
      {{"--abs", "--channels", "1,6"}, false, {511, -511, 100, 0, 1, -1}},
      {{"--exp", "0,5", "--channels", "2"}, false, {511, -511, 100, 0, -255, -1}},
      {{"--hanning"}, false, {511, -511, 100, 0, 1, -1}},     // two frames pass
      {{"--rms", "1000"}, false, {511, 511, 100, 0, 1, -1}},  // N = 1
      {{"--sort", "3"}, true, {0, 1, -1, 511, -511, 100}},
      {{"--sort", "2"}, true, {511, -511, 100, 0, 1, -1}},
  };
  for (const Case& c : cases) {
    const std::string in = Input(c.isStatic);
    std::vector<std::string> args = {"filter", input, "-o", output};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const ToolRun r = Tool(args);
    ASSERT_EQ(r.code, 0) << c.args[0] << r.err;
    const std::string out = ReadBytes(output);
    // The header as loading leaves it: the shown channels cut to the recorded.
    std::string header = in.substr(0, layout.samples);
    header[layout.masks + 4] = 0b11;
    header[layout.masks + 6] = 0;
    EXPECT_TRUE(out.substr(0, layout.samples) == header) << c.args[0];
    EXPECT_EQ(out.substr(layout.samples), Int16Bytes(c.samples)) << c.args[0];
    EXPECT_EQ(ReadBytes(input), in) << "the input stays";
  }
  for (const auto& entry : fs::directory_iterator(dir.Path())) {
    EXPECT_NE(entry.path().filename().string().rfind("Trn", 0), 0u) << entry.path();
  }
}

TEST_F(FilterCommandTest, RefusalsExitWithOneAndWriteNothing) {
  struct Case {
    std::vector<std::string> args;
    std::string message;
  };
  const Case cases[] = {
      {{"--rms", "100"}, "Время усреднения меньше интервала между отсчётами"},
      {{"--rms", "0,2"}, "«0,2» — не число"},
      {{"--exp", "k"}, "«k» — не число"},
      {{"--abs", "--channels", "5,6"}, "Не выбран ни один записанный канал АЦП\n" + input},
      {{"--sort", "1"}, "Сортировка возможна только для статической характеристики\n" + input},
  };
  Input();
  for (const Case& c : cases) {
    std::vector<std::string> args = {"filter", input, "-o", output};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const ToolRun r = Tool(args);
    EXPECT_EQ(r.code, 1) << c.message;
    EXPECT_EQ(r.err, c.message + "\n");
    EXPECT_FALSE(fs::exists(output)) << c.message;
  }
  Input(true);
  EXPECT_EQ(Tool({"filter", input, "--sort", "4", "-o", output}).err,
            "В записи нет канала номер 4\n" + input + "\n");
  const std::string missing = dir.File("missing.dta");
  EXPECT_EQ(Tool({"filter", missing, "--abs", "-o", output}).err,
            "Не удалось открыть файл " + missing + "\n");
  EXPECT_FALSE(fs::exists(output));
}

TEST_F(FilterCommandTest, UsageErrorsExitWithTwo) {
  const std::vector<std::vector<std::string>> cases = {
      {"filter", "a.dta", "-o", "b.dta"},
      {"filter", "a.dta", "--abs"},
      {"filter", "--abs", "-o", "b.dta"},
      {"filter", "a.dta", "--abs", "--hanning", "-o", "b.dta"},
      {"filter", "a.dta", "--rms", "-o", "b.dta"},
      {"filter", "a.dta", "--abs", "--channels", "0", "-o", "b.dta"},
      {"filter", "a.dta", "--abs", "--channels", "1,,2", "-o", "b.dta"},
      {"filter", "a.dta", "--abs", "--channels", "17", "-o", "b.dta"},
      {"filter", "a.dta", "--sort", "1", "--channels", "1", "-o", "b.dta"},
      {"filter", "a.dta", "--abs", "-o"},
  };
  for (const auto& args : cases) {
    const ToolRun r = Tool(args);
    EXPECT_EQ(r.code, 2) << args[args.size() - 2];
    EXPECT_NE(r.err.find("Использование:"), std::string::npos);
  }
}

}  // namespace
}  // namespace tornel::cli
