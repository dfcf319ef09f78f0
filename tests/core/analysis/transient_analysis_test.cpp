#include "core/analysis/transient_analysis.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "step_records.h"

namespace tornel {
namespace {

using testing::StepRecord;

// The hand record of the metrics tests (0.1 s frames, T0 = 0.4 s: 20, 60,
// 95, 110, 105, then 100) beside a channel without a step.
class AnalysisText : public ::testing::Test {
protected:
  AnalysisText() {
    std::vector<int16_t> over = {0, 0, 0, 0, 0, 20, 60, 95, 110, 105};
    over.resize(20, 100);
    for (int16_t v : over) {
      codes.push_back(v);
      codes.push_back(7);
    }
  }

  TransientAnalysis Analyse(FitKind fit) {
    StepRecord r(dir, codes, 2.0);
    r.source.Channels = 2;
    r.source.Frames = 20;
    AnalysisChannel flat = r.channel;
    flat.Slot = 2;
    flat.Position = 1;
    flat.Name = "Ток";
    flat.Unit = "А";
    return AnalyseTransient(r.source, {r.channel, flat}, {0.4, 5}, fit);
  }

  // The row whose first cell is `label`.
  static std::string Row(const std::string& text, const std::string& label) {
    std::size_t at = text.find(label + "\t");
    while (at != std::string::npos && at != 0 && text[at - 1] != '\n') {
      at = text.find(label + "\t", at + 1);
    }
    if (at == std::string::npos) return "(нет строки " + label + ")";
    return text.substr(at, text.find('\n', at) - at);
  }

  testing::TempDir dir;
  std::vector<int16_t> codes;
};

TEST_F(AnalysisText, ARowPerQuantityAndAColumnPerChannel) {
  const std::string text = AnalysisTableText(Analyse(FitKind::None), ',', 5);
  EXPECT_EQ(Row(text, "Канал"), "Канал\tСкорость\tТок");
  EXPECT_EQ(Row(text, "Ед."), "Ед.\tоб/мин\tА");
  EXPECT_EQ(Row(text, "Момент скачка T0, с"), "Момент скачка T0, с\t0,40000\t0,40000");
  EXPECT_EQ(Row(text, "Начальное значение"), "Начальное значение\t0\t7,0000");
  // 0.6 + 0.3 / 0.35 * 0.1 - 0.45 = 0.2357142857...
  EXPECT_EQ(Row(text, "Время нарастания, с"), "Время нарастания, с\t0,23571\t—");
  EXPECT_EQ(Row(text, "Время запаздывания, с"), "Время запаздывания, с\t0,17500\t—");
  EXPECT_EQ(Row(text, "Перерегулирование, %"), "Перерегулирование, %\t10,000\t—");
  EXPECT_EQ(Row(text, "Время установления (5 %), с"), "Время установления (5 %), с\t0,50000\t—");
  EXPECT_EQ(Row(text, "Примечание"), "Примечание\t\tНет скачка на канале 3");
  EXPECT_EQ(text.find("Модель"), std::string::npos);
}

TEST_F(AnalysisText, CopiedFiguresKeepEveryDigit) {
  const std::string text = AnalysisTableText(Analyse(FitKind::None), '.');
  EXPECT_EQ(Row(text, "Время нарастания, с"), "Время нарастания, с\t0.235714285714286\t—");
}

TEST_F(AnalysisText, FitRowsFollowTheModel) {
  const TransientAnalysis a = Analyse(FitKind::Second);
  const std::string text = AnalysisTableText(a, ',', 4);
  EXPECT_EQ(Row(text, "Модель"), "Модель\t2-го порядка\t—");
  EXPECT_NE(Row(text, "Коэффициент демпфирования ζ").find('\t'), std::string::npos);
  EXPECT_NE(text.find("Собственная частота ωn, рад/с\t"), std::string::npos);
  EXPECT_EQ(text.find("Постоянная времени"), std::string::npos);
  // The channel without a step has no fit.
  EXPECT_EQ(Row(text, "СКО остатков").substr(Row(text, "СКО остатков").rfind('\t')), "\t—");
}

TEST(ChannelNote, SaysWhatWentWrong) {
  ChannelAnalysis c;
  c.Channel.Slot = 17;
  EXPECT_EQ(ChannelNote(c), "Нет скачка на канале ЦАП 2");
  c.Metrics.HasStep = true;
  EXPECT_EQ(ChannelNote(c), "");
  c.Fit.Kind = FitKind::First;
  EXPECT_EQ(ChannelNote(c), "Аппроксимация не сошлась");
  c.Fit.Converged = true;
  EXPECT_EQ(ChannelNote(c), "");
}

}  // namespace
}  // namespace tornel
