#include "cli/analyze_command.h"

#include <gtest/gtest.h>

#include <cmath>
#include <regex>
#include <string>
#include <vector>

#include "core/records/graph_record.h"
#include "tests/cli/tool_run.h"
#include "tests/core/analysis/step_records.h"
#include "tests/core/records/scoped_tmpdir.h"
#include "tests/support/temp_dir.h"

namespace tornel::cli {
namespace {

using tornel::testing::TempDir;

// A data file of ADC 1 (a lag of T = 0.1 s, 10000 codes, from T0 = 0.1 s in
// 1 ms frames over 2 s, Base 511 so that codes are units), ADC 2 (the same
// step through zeta = 0.3, wn = 20 rad/s) and ADC 3 (flat).
// The metrics worked out by hand are those of the core's lag test: rise
// 0.21972 s, delay 0.06931 s, peak 10000 at 0.991 s, settled after 0.300 s
// (5 %) or 0.391 s (2 %).
class AnalyzeCommandTest : public ::testing::Test {
protected:
  AnalyzeCommandTest() {
    const std::vector<int16_t> lag = tornel::testing::Sampled(
        2000, 2.0, 0.1, 10000, [](double s) { return tornel::testing::Lag(s, 0.1); });
    const std::vector<int16_t> swing = tornel::testing::Sampled(
        2000, 2.0, 0.1, 10000, [](double s) { return tornel::testing::Oscillating(s, 0.3, 20); });
    std::vector<int16_t> frames;
    for (std::size_t i = 0; i < lag.size(); ++i) frames.insert(frames.end(), {lag[i], swing[i], 3});
    TGraphRecord record;
    record.AcpMask = record.AcpShowMask = 0b111;
    record.Duration = record.TMax = 2.0;
    record.Base[0] = record.Base[2] = 511;
    record.RealBase[0] = record.RealBase[2] = 1;
    record.ChanName[0] = "Скорость \"W\"";
    record.ChanUnit[0] = "об/мин";
    record.SampleFile = dir.File("samples");
    tornel::testing::WriteBytes(record.SampleFile, tornel::testing::Int16Bytes(frames));
    record.SaveDta(input);
    record.IsStatic = true;
    record.SaveDta(staticInput);
  }

  // "key": value pairs of a flat JSON object in order; a nested object's
  // keys follow its own key.
  static std::vector<std::string> Keys(const std::string& json) {
    std::vector<std::string> keys;
    const std::regex key("\"([a-z_]+)\": ");
    for (auto it = std::sregex_iterator(json.begin(), json.end(), key);
         it != std::sregex_iterator(); ++it) {
      keys.push_back((*it)[1]);
    }
    return keys;
  }
  static double Number(const std::string& json, const std::string& key) {
    const std::size_t at = json.find("\"" + key + "\": ");
    if (at == std::string::npos) return NAN;
    return std::strtod(json.c_str() + at + key.size() + 4, nullptr);
  }

  TempDir dir;
  tornel::testing::ScopedTmpDir tmp{dir.File("")};
  std::string input = dir.File("run.dta");
  std::string staticInput = dir.File("static.dta");
};

TEST_F(AnalyzeCommandTest, JsonHoldsExactlyTheMetrics) {
  const ToolRun r = Tool({"analyze", input, "--channel", "1", "--from", "0,1", "--json"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(Keys(r.out), (std::vector<std::string>{"channel", "name", "unit", "initial", "final",
                                                   "rise_time", "delay_time", "peak", "peak_time",
                                                   "overshoot_pct", "settling_time"}));
  EXPECT_NE(r.out.find("\"channel\": 1, \"name\": \"Скорость \\\"W\\\"\", \"unit\": \"об/мин\""),
            std::string::npos)
      << r.out;
  EXPECT_EQ(Number(r.out, "initial"), 0);
  EXPECT_EQ(Number(r.out, "final"), 10000);
  EXPECT_NEAR(Number(r.out, "rise_time"), 0.1 * std::log(9.0), 5e-5);
  EXPECT_NEAR(Number(r.out, "delay_time"), 0.1 * std::log(2.0), 2e-5);
  EXPECT_EQ(Number(r.out, "peak"), 10000);
  EXPECT_NEAR(Number(r.out, "peak_time"), 0.991, 1e-9);
  EXPECT_EQ(Number(r.out, "overshoot_pct"), 0);
  EXPECT_NEAR(Number(r.out, "settling_time"), 0.3, 1e-9);
  EXPECT_EQ(r.out.back(), '\n');
  EXPECT_EQ(r.out.find('\n'), r.out.size() - 1);
}

TEST_F(AnalyzeCommandTest, FitObjectPerModel) {
  const ToolRun first =
      Tool({"analyze", input, "--channel", "1", "--from", "0.1", "--fit", "first", "--json"});
  ASSERT_EQ(first.code, 0) << first.err;
  const std::vector<std::string> keys = Keys(first.out);
  EXPECT_EQ(std::vector<std::string>(keys.begin() + 11, keys.end()),
            (std::vector<std::string>{"fit", "model", "gain", "time_constant", "delay", "rms"}));
  EXPECT_NE(first.out.find("\"model\": \"first\""), std::string::npos);
  EXPECT_NEAR(Number(first.out, "gain"), 10000, 10);
  EXPECT_NEAR(Number(first.out, "time_constant"), 0.1, 0.001);
  EXPECT_NEAR(Number(first.out, "delay"), 0, 0.001);
  EXPECT_LT(Number(first.out, "rms"), 1);

  const ToolRun second =
      Tool({"analyze", input, "--channel", "2", "--from", "0.1", "--fit", "second", "--json"});
  ASSERT_EQ(second.code, 0) << second.err;
  const std::vector<std::string> k2 = Keys(second.out);
  EXPECT_EQ(std::vector<std::string>(k2.begin() + 11, k2.end()),
            (std::vector<std::string>{"fit", "model", "gain", "damping", "natural_frequency",
                                      "delay", "rms"}));
  EXPECT_NE(second.out.find("\"model\": \"second\""), std::string::npos);
  EXPECT_NEAR(Number(second.out, "damping"), 0.3, 0.003);
  EXPECT_NEAR(Number(second.out, "natural_frequency"), 20, 0.1);
  EXPECT_NEAR(Number(second.out, "overshoot_pct"), 37.23, 0.01);
}

// A lag has no second-order optimum (damping runs off to infinity): the fit
// says so and is null, the metrics stand, and the run succeeds.
TEST_F(AnalyzeCommandTest, AFitThatDoesNotConvergeIsNullAndSaid) {
  const ToolRun r =
      Tool({"analyze", input, "--channel", "1", "--from", "0.1", "--fit", "second", "--json"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.err, "Аппроксимация не сошлась\n" + input + "\n");
  EXPECT_NE(r.out.find(", \"fit\": null}"), std::string::npos) << r.out;
  EXPECT_NEAR(Number(r.out, "settling_time"), 0.3, 1e-9);
}

TEST_F(AnalyzeCommandTest, ReadableTable) {
  const ToolRun r = Tool({"analyze", input, "--channel", "1", "--from", "0.1", "--settle", "2"});
  ASSERT_EQ(r.code, 0) << r.err;
  EXPECT_EQ(r.out.rfind("Файл: " + input + "\n", 0), 0u) << r.out;
  EXPECT_NE(r.out.find("\nВремя установления (2 %), с  0.391000\n"), std::string::npos) << r.out;
  EXPECT_NE(r.out.find("\nКанал                        Скорость \"W\"\n"), std::string::npos)
      << r.out;
}

TEST_F(AnalyzeCommandTest, RefusalsWriteNothing) {
  struct Case {
    std::vector<std::string> args;
    int code;
    std::string message;
  };
  const std::string missing = dir.File("none.dta");
  const std::string foreign = dir.File("foreign.dta");
  tornel::testing::WriteBytes(foreign, "not a data file at all");
  const std::vector<Case> cases = {
      {{"analyze", input, "--channel", "4"}, 1, "Канал 4 в записи не записан\n" + input},
      {{"analyze", input, "--channel", "3"}, 1, "Нет скачка на канале 3\n" + input},
      {{"analyze", staticInput, "--channel", "1"}, 1, "статическая характеристика"},
      {{"analyze", input, "--channel", "1", "--from", "5"}, 1, "от 0 до 1.999 с\n" + input},
      {{"analyze", missing, "--channel", "1"}, 1, "Не удалось открыть файл " + missing},
      {{"analyze", foreign, "--channel", "1"}, 1, "Файл создан другой программой"},
      {{"analyze", input}, 2, "не задан канал"},
      {{"analyze", input, "--channel", "17"}, 2, "от 1 до 16"},
      {{"analyze", input, "--channel", "1", "--settle", "3"}, 2, "--settle"},
      {{"analyze", input, "--channel", "1", "--fit", "third"}, 2, "--fit"},
      {{"analyze", input, "--channel", "1", "--from", "-1"}, 2, "--from"},
      {{"analyze", "--channel", "1"}, 2, "не задан файл"},
  };
  for (const Case& c : cases) {
    const ToolRun r = Tool(c.args);
    EXPECT_EQ(r.code, c.code) << c.message;
    EXPECT_EQ(r.out, "") << c.message;
    EXPECT_NE(r.err.find(c.message), std::string::npos) << r.err;
  }
}

}  // namespace
}  // namespace tornel::cli
