#include "core/spectrum/spectrum_span.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "core/text/user_error.h"
#include "spectrum_test_record.h"

namespace tornel {
namespace {

using testing::FillDoubleRecord;
using testing::TempDir;

// 100 frames over 1 s: frame i at i / 100 s.
class SpectrumSpanTest : public ::testing::Test {
protected:
  SpectrumSpanTest() { FillDoubleRecord(record, dir, std::vector<double>(100, 0.5), 1.0); }

  // The span, or the message it was refused with.
  std::string Resolve(std::optional<double> from, std::optional<double> to, SpectrumSpan* span) {
    SpectrumRequest request;
    request.from = from;
    request.to = to;
    try {
      *span = ResolveSpectrumSpan(record, request);
      return {};
    } catch (const UserError& e) {
      return e.what();
    }
  }

  TempDir dir;
  TGraphRecord record;
};

TEST_F(SpectrumSpanTest, WindowTakesTheFramesThePlotWouldShow) {
  struct Case {
    std::optional<double> from, to;
    int64_t first, count;
    double spanFrom, spanTo;
  };
  const Case cases[] = {
      {{}, {}, 0, 100, 0, 1},
      {0.25, 0.75, 25, 50, 0.25, 0.75},
      {0.123, 0.5, 12, 38, 0.123, 0.5},  // floor(12.3)
      {-1, 2, 0, 100, 0, 1},             // cut to the record
      {0.92, {}, 92, 8, 0.92, 1},        // the fewest frames allowed
      {0.929, 1.009, 92, 8, 0.929, 1},
      {{}, 0.08, 0, 8, 0, 0.08},
  };
  for (const Case& c : cases) {
    SpectrumSpan span;
    ASSERT_EQ(Resolve(c.from, c.to, &span), "") << c.from.value_or(-9);
    EXPECT_EQ(span.first, c.first) << c.from.value_or(-9);
    EXPECT_EQ(span.count, c.count) << c.from.value_or(-9);
    EXPECT_DOUBLE_EQ(span.from, c.spanFrom);
    EXPECT_DOUBLE_EQ(span.to, c.spanTo);
    EXPECT_DOUBLE_EQ(span.sampleRate, 100);
    EXPECT_EQ(span.position, 0);
  }
}

TEST_F(SpectrumSpanTest, BadWindowsAreRefusedWithTheReason) {
  struct Case {
    std::optional<double> from, to;
    std::string message;
  };
  const Case cases[] = {
      {0.93, {}, "Слишком мало отсчётов для спектра"},
      {{}, 0.079, "Слишком мало отсчётов для спектра"},
      {0.5, 0.5, "Интервал от 0.5 до 0.5 с пуст: начало должно быть раньше конца"},
      {0.7, 0.2, "Интервал от 0.7 до 0.2 с пуст: начало должно быть раньше конца"},
      {1, 2, "Интервал 1…2 с лежит вне записи 0…1 с"},
      {-3, 0, "Интервал -3…0 с лежит вне записи 0…1 с"},
  };
  for (const Case& c : cases) {
    SpectrumSpan span;
    EXPECT_EQ(Resolve(c.from, c.to, &span), c.message);
  }
}

TEST_F(SpectrumSpanTest, RecordsWithoutATimeBaseOrChannelAreRefused) {
  struct Case {
    void (*change)(TGraphRecord&);
    int slot;
    std::string message;
  };
  const Case cases[] = {
      {[](TGraphRecord& r) { r.IsStatic = true; }, 0,
       "Спектр строится только для переходного процесса, а это статическая характеристика"},
      {[](TGraphRecord& r) { r.Duration = 0; }, 0,
       "У записи нет длительности, частота отсчётов неизвестна"},
      {[](TGraphRecord& r) { r.Duration = std::numeric_limits<double>::infinity(); }, 0,
       "У записи нет длительности, частота отсчётов неизвестна"},
      {[](TGraphRecord&) {}, 1, "В записи нет канала АЦП 2"},
      {[](TGraphRecord&) {}, 17, "В записи нет канала ЦАП 2"},
      {[](TGraphRecord& r) { r.FrameCount = 0; }, 0, "Слишком мало отсчётов для спектра"},
  };
  for (const Case& c : cases) {
    TGraphRecord changed;
    FillDoubleRecord(changed, dir, std::vector<double>(100, 0.5), 1.0);
    c.change(changed);
    SpectrumRequest request;
    request.slot = c.slot;
    try {
      ResolveSpectrumSpan(changed, request);
      ADD_FAILURE() << c.message;
    } catch (const UserError& e) {
      EXPECT_EQ(std::string(e.what()), c.message);
    }
  }
}

TEST(SpectrumChannelChoicesTest, RecordedAndShownChannelsAdcFirst) {
  TGraphRecord record;
  record.AcpMask = 0b1011;
  record.AcpShowMask = 0b1110;  // ADC 3 is shown but not recorded
  record.CapMask = 0b11;
  record.CapShowMask = 0b10;
  EXPECT_EQ(SpectrumChannelChoices(record), (std::vector<int>{1, 3, 17}));
  record.AcpShowMask = record.CapShowMask = 0;
  EXPECT_TRUE(SpectrumChannelChoices(record).empty());
}

}  // namespace
}  // namespace tornel
