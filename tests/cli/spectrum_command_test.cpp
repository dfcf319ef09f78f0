#include "cli/spectrum_command.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <numbers>
#include <regex>
#include <string>
#include <vector>

#include "tests/cli/tool_run.h"
#include "tests/core/records/hand_file.h"
#include "tests/core/records/scoped_tmpdir.h"
#include "tests/support/temp_dir.h"

namespace tornel::cli {
namespace {

using tornel::testing::HandFile;
using tornel::testing::Layout;
using tornel::testing::TempDir;
using tornel::testing::WriteBytes;

// A number after "key": in the JSON text.
double JsonValue(const std::string& json, const std::string& key, std::size_t from = 0) {
  const std::size_t at = json.find("\"" + key + "\": ", from);
  if (at == std::string::npos) return std::nan("");
  const char* begin = json.data() + at + key.size() + 4;
  double v = 0;
  std::from_chars(begin, json.data() + json.size(), v);
  return v;
}

// The hand-made file (ADC 1 and 2, DAC 1 over 2 s; Base of slot s is s + 1)
// with 1000 frames, so 500 Hz: ADC 1 a 5 Hz sine of 5110 codes (10 units),
// ADC 2 a 25 Hz sine of 1533 codes (6 units) on 1022 codes (4 units).
class SpectrumCommandTest : public ::testing::Test {
protected:
  void Write(bool isStatic = false) {
    Layout layout;
    std::string bytes = HandFile(&layout).Str().substr(0, layout.samples);
    bytes[layout.masks - 9] = isStatic ? 1 : 0;
    tornel::testing::DtaBytes samples;
    for (int i = 0; i < 1000; ++i) {
      const double t = i / 500.0;
      samples.I16(static_cast<int16_t>(std::lround(5110 * std::sin(2 * std::numbers::pi * 5 * t))));
      samples.I16(static_cast<int16_t>(
          std::lround(1022 + 1533 * std::sin(2 * std::numbers::pi * 25 * t + 1))));
      samples.I16(0);
    }
    WriteBytes(input, bytes + samples.Str());
  }
  TempDir dir;
  tornel::testing::ScopedTmpDir tmp{dir.File("")};
  std::string input = dir.File("in.dta");
};

TEST_F(SpectrumCommandTest, JsonHasExactlyTheAgreedKeysAndValues) {
  Write();
  struct Case {
    std::vector<std::string> args;
    int channel;
    double rate, resolution, dc, hz, amplitude;
    std::size_t harmonics;
  };
  const Case cases[] = {
      {{"--channel", "1"}, 1, 500, 0.5, 0, 5, 10, 40},
      {{"--channel", "2", "--harmonics", "7", "--window", "rect"}, 2, 500, 0.5, 4, 25, 6, 7},
      {{"--channel", "2", "--from", "0,5", "--to", "1.5"}, 2, 500, 1, 4, 25, 6, 10},  // Nyquist
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = {"spectrum", input, "--json"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const ToolRun r = Tool(args);
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.err, "");
    std::vector<std::string> keys;
    const std::regex key("\"([a-z_]+)\":");
    for (auto it = std::sregex_iterator(r.out.begin(), r.out.end(), key);
         it != std::sregex_iterator(); ++it) {
      keys.push_back((*it)[1]);
    }
    std::vector<std::string> expected = {"channel",        "sample_rate", "resolution_hz", "dc",
                                         "fundamental_hz", "thd_pct",     "harmonics"};
    for (std::size_t k = 0; k < c.harmonics; ++k) {
      expected.insert(expected.end(), {"order", "hz", "amplitude"});
    }
    EXPECT_EQ(keys, expected) << c.args[1];
    EXPECT_EQ(r.out.front(), '{');
    EXPECT_EQ(r.out.substr(r.out.size() - 3), "]}\n");
    EXPECT_EQ(JsonValue(r.out, "channel"), c.channel);
    EXPECT_DOUBLE_EQ(JsonValue(r.out, "sample_rate"), c.rate);
    EXPECT_DOUBLE_EQ(JsonValue(r.out, "resolution_hz"), c.resolution);
    EXPECT_NEAR(JsonValue(r.out, "dc"), c.dc, 1e-3);
    EXPECT_NEAR(JsonValue(r.out, "fundamental_hz"), c.hz, 1e-3);
    EXPECT_NEAR(JsonValue(r.out, "thd_pct"), 0, 0.05);  // the codes' rounding
    const std::size_t first = r.out.find("\"order\": 1");
    EXPECT_NEAR(JsonValue(r.out, "amplitude", first), c.amplitude, 1e-3 * c.amplitude);
  }
}

TEST_F(SpectrumCommandTest, TextNamesTheChannelAndListsTheHarmonics) {
  Write();
  const ToolRun r = Tool({"spectrum", input, "--channel", "1", "--harmonics", "2"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out.rfind("Файл: " + input + "\nКанал: АЦП 1 Ica, A\n", 0), 0u) << r.out;
  EXPECT_NE(r.out.find("Основная гармоника 5.00 Гц, 10.000 A; THD 0.00 %\n"), std::string::npos)
      << r.out;
  EXPECT_NE(r.out.find("Окно Хеннинга; 0…2 с, 1000 отсчётов по 500 Гц; разрешение 0.5 Гц\n"),
            std::string::npos)
      << r.out;
  EXPECT_NE(r.out.find("\n№\tf, Гц\tA, A\t%\n1\t5.00\t10.000\t100.00\n2\t10.00\t0.000\t0.00\n"),
            std::string::npos)
      << r.out;
}

TEST_F(SpectrumCommandTest, FailuresNameTheFileAndExitWithOne) {
  struct Case {
    std::string bytes;  // empty: the good file
    bool isStatic;
    std::vector<std::string> args;
    std::string message;
  };
  const Case cases[] = {
      {"not a data file at all", false, {}, "Файл создан другой программой"},
      {"",
       true,
       {},
       "Спектр строится только для переходного процесса, а это статическая характеристика"},
      {"", false, {"--from", "3", "--to", "4"}, "Интервал 3…4 с лежит вне записи 0…2 с"},
      {"", false, {"--from", "1.99"}, "Слишком мало отсчётов для спектра"},
      {"", false, {"--channel", "4"}, "В записи нет канала АЦП 4"},
  };
  for (const Case& c : cases) {
    Write(c.isStatic);
    if (!c.bytes.empty()) WriteBytes(input, c.bytes);
    std::vector<std::string> args = {"spectrum", input, "--channel", "1"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const ToolRun r = Tool(args);
    EXPECT_EQ(r.code, kExitFailure) << c.message;
    EXPECT_EQ(r.err, c.message + "\n" + input + "\n");
    EXPECT_EQ(r.out, "");
  }
  const ToolRun missing = Tool({"spectrum", dir.File("none.dta"), "--channel", "1"});
  EXPECT_EQ(missing.code, kExitFailure);
  EXPECT_EQ(missing.err, "Не удалось открыть файл " + dir.File("none.dta") + "\n");
}

TEST_F(SpectrumCommandTest, WrongArgumentsAreUsageErrors) {
  Write();
  struct Case {
    std::vector<std::string> args;
    std::string message;
  };
  const Case cases[] = {
      {{input}, "не задан канал (--channel N)"},
      {{"--channel", "1"}, "не задан файл данных"},
      {{input, "--channel", "17"}, "канал АЦП задаётся номером от 1 до 16: \"17\""},
      {{input, "--channel", "1", "--window", "hamming"}, "окно задаётся словом hann или rect"},
      {{input, "--channel", "1", "--harmonics", "0"},
       "число гармоник должно быть целым не меньше 1: \"0\""},
      {{input, "--channel", "1", "--from", "1s"},
       "значение --from должно быть числом секунд: \"1s\""},
      {{input, "--channel"}, "после --channel нужно значение"},
      {{input, "--channel", "1", "--bins"}, "неизвестный ключ \"--bins\""},
  };
  for (const Case& c : cases) {
    std::vector<std::string> args = {"spectrum"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const ToolRun r = Tool(args);
    EXPECT_EQ(r.code, kExitUsage) << c.message;
    EXPECT_EQ(r.err.rfind("tornel-tool: " + c.message + "\n", 0), 0u) << r.err;
  }
}

}  // namespace
}  // namespace tornel::cli
