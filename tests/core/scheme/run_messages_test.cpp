#include "core/scheme/run_messages.h"

#include <gtest/gtest.h>

#include "scheme_fixture.h"

namespace tornel {
namespace {

using testing::SchemeTest;

class RunMessagesTest : public SchemeTest {
protected:
  // A step generator into `inputs` inputs of the graph block.
  void Graph(int inputs) {
    TBlock* step = Place(kKindStep);
    graph = Place(kKindGraph, 300, 0);
    for (int i = 0; i < inputs; ++i) Connect(step, graph, i);
  }
  TBlock* graph = nullptr;
};

// Steps of 2^-10 s make the tick count exact: end / step + 1 ticks of one
// double per connected input.
constexpr double kStep = 1.0 / 1024;

TEST_F(RunMessagesTest, LargeRunsAreAskedAboutAboveOneGibibyte) {
  struct Case {
    const char* name;
    int inputs;
    double end;
    bool realTime;
    double bytes;
    const char* question;  // null: no question
  };
  const Case cases[] = {
      // (2^20 * 1024 + 1) ticks * 2 doubles: 16.0000000149 GiB.
      {"a million seconds", 2, 1048576.0, false, 17179869200.0,
       "Отсчёты графика займут 16,0 ГБ во временной папке. Начать расчет?"},
      // 2^27 + 1 ticks of one double: 8 bytes past 1 GiB.
      {"just above", 1, 131072.0, false, 1073741832.0,
       "Отсчёты графика займут 1,0 ГБ во временной папке. Начать расчет?"},
      // 2^27 ticks: exactly 1 GiB is not asked about.
      {"exactly one gibibyte", 1, 131072.0 - kStep, false, 1073741824.0, nullptr},
      {"real time counts no ticks ahead", 2, 1048576.0, true, 0.0, nullptr},
      {"no input, no samples", 0, 1048576.0, false, 0.0, nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    scheme = Scheme(factory);
    Graph(c.inputs);
    const RunSettings settings{c.end, kStep, c.realTime};
    EXPECT_EQ(PlannedSampleBytes(scheme, settings), c.bytes);
    const auto question = LargeRunQuestion(scheme, settings, ',');
    EXPECT_EQ(question.has_value(), c.question != nullptr);
    if (question && c.question) EXPECT_EQ(*question, c.question);
  }
}

TEST_F(RunMessagesTest, SettingsTheRunRefusesPlanNoSamples) {
  Graph(1);
  EXPECT_EQ(PlannedSampleBytes(scheme, {1e6, 0.0, false}), 0.0);
  EXPECT_EQ(PlannedSampleBytes(scheme, {1e6, -1.0, false}), 0.0);
  EXPECT_EQ(PlannedSampleBytes(scheme, {0.0, kStep, false}), 0.0);
}

TEST(ByteSizeText, WholeMebibytesUpToOneGibibyteThenTenthsOfGibibytes) {
  EXPECT_EQ(ByteSizeText(1.0, '.'), "1 МБ");
  EXPECT_EQ(ByteSizeText(16777232.0, '.'), "17 МБ");  // 16 MiB and 16 bytes
  EXPECT_EQ(ByteSizeText(1073741823.0, '.'), "1024 МБ");
  EXPECT_EQ(ByteSizeText(1073741824.0, ','), "1,0 ГБ");
  EXPECT_EQ(ByteSizeText(16000000016.0, ','), "14,9 ГБ");
}

TEST_F(RunMessagesTest, TheMessageAfterARunSaysWhatHappened) {
  struct Case {
    const char* name;
    int inputs;  // -1: no graph block
    RunResult result;
    const char* message;
  };
  const Case cases[] = {
      {"ordinary", 1, {1000, 1.0, 0.001, false, true}, "h = 0,00100"},
      {"measured real-time step", 1, {10, 1.0, 0.0000123, false, true}, "h = 0,0000123"},
      {"stopped by the user",
       1,
       {523, 0.523, 0.001, true, true},
       "Расчет прерван при t = 0,52300 с (h = 0,00100)."},
      {"graph block without input",
       0,
       {1000, 1.0, 0.001, false, false},
       "h = 0,00100\nК блоку «График» не подключен ни один вход: график не построен."},
      {"no graph block at all", -1, {1000, 1.0, 0.001, false, false}, "h = 0,00100"},
  };
  for (const Case& c : cases) {
    scheme = Scheme(factory);
    if (c.inputs >= 0) {
      Graph(c.inputs);
    } else {
      Place(kKindStep);
    }
    EXPECT_EQ(RunMessage(scheme, c.result, ','), c.message) << c.name;
  }
}

TEST_F(RunMessagesTest, OnlyAnEmptySchemeHasNothingToRun) {
  EXPECT_EQ(NothingToRun(scheme), "В схеме нет блоков: рассчитывать нечего.");
  Place(kKindGraph);
  EXPECT_EQ(NothingToRun(scheme), std::nullopt);
}

}  // namespace
}  // namespace tornel
