#include "core/device/acp_settings.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/text/number_text.h"
#include "core/text/user_error.h"
#include "tests/support/fake_device.h"
#include "tests/support/fake_priority_control.h"
#include "tests/support/fake_tick_clock.h"

namespace tornel {
namespace {

using testing::FakeDevice;
using testing::FakeTickClock;

struct Bench {
  ChannelTable table;
  FakeTickClock clock;
  FakeDevice device{&clock};
  testing::FakePriorityControl priority;
  MeasurementSetup setup{device, clock, priority, table};
  AcpSettings settings = AcpSettings::FromTable(table);
  Bench() {
    device.SetReadHook([this](int16_t) { clock.Advance(1); });
  }
};

AcpChannelEdits Edits(const AcpChannelFields& shown, std::string_view stand) {
  return {shown.Filter, stand, shown.Base, shown.Zero};
}

TEST(AcpSettings, CopiesTheAdcScalingZeroCodesAndFilterMaskBothWaysAndNothingElse) {
  ChannelTable table;
  for (int ch = 0; ch < 16; ++ch) {
    table.Base[ch] = 10 + ch;
    table.RealBase[ch] = 100 + ch;
    table.Offset[ch] = static_cast<int16_t>(-ch);
  }
  table.FilterMask = -32768;  // ADC 16 only
  AcpSettings s = AcpSettings::FromTable(table);
  EXPECT_EQ(s.AcpBase[15], 25);
  EXPECT_EQ(s.AcpRealBase[3], 103);
  EXPECT_EQ(s.AcpOffset[7], -7);
  EXPECT_TRUE(s.Filtered(15));
  EXPECT_FALSE(s.Filtered(0));

  for (int ch = 0; ch < 16; ++ch) {
    s.AcpBase[ch] = 1;
    s.AcpRealBase[ch] = 2;
    s.AcpOffset[ch] = 3;
  }
  s.SetFiltered(15, false);
  s.SetFiltered(4, true);
  ChannelTable back;
  s.CopyTo(back);
  for (int ch = 0; ch < 16; ++ch) {
    EXPECT_EQ(back.Base[ch], 1);
    EXPECT_EQ(back.RealBase[ch], 2);
    EXPECT_EQ(back.Offset[ch], 3);
  }
  EXPECT_EQ(back.FilterMask, 16);
  EXPECT_EQ(back.Offset[16], 511);  // the DACs are not this dialog's
  EXPECT_EQ(back.Base[17], 1);
  EXPECT_EQ(back.ChanName[0], "Ica");
}

TEST(AcpSettings, ByMaximumTakesTheTypedValueAsBaseWithoutReading) {
  Bench b;
  b.settings.TakeReading(1, AcpSettingMode::ByMaximum, b.setup);
  AcpChannelFields shown = b.settings.Fields(1);
  EXPECT_EQ(shown.Acp, "1.000");
  EXPECT_EQ(shown.Stand, "220.000");  // the full-scale value of Uca
  EXPECT_EQ(b.device.TotalReads(), 0u);

  b.settings.Store(1, AcpSettingMode::ByMaximum, Edits(shown, "380"));
  EXPECT_EQ(b.settings.AcpBase[1], 380);
  EXPECT_EQ(b.settings.Fields(1).Stand, "380.000");
}

TEST(AcpSettings, MeasureAcpChannelAveragesOneSecondWithTheDialogsZeroCode) {
  struct Case {
    std::vector<int16_t> raw;
    int16_t offset;
    bool rms;
    double reading;
  };
  const std::vector<Case> cases = {
      {{100, 200}, 0, false, 150.0 / 511},
      {{100, 200}, 0, true, 158.0 / 511},  // trunc(sqrt((100² + 200²) / 2)) = 158
      {{-3, -4}, 0, false, -3.0 / 511},    // trunc(-3.5) toward zero
      {{-300}, -211, true, 511.0 / 511},   // RMS of the corrected code -511
      {{1}, 0, false, 1.0 / 511},
  };
  for (const Case& c : cases) {
    Bench b;
    b.table.ScanPriorityClass = 128;
    b.table.ScanThreadPriority = 2;
    b.device.SetSequence(2, c.raw);
    b.settings.AcpOffset[2] = c.offset;
    EXPECT_DOUBLE_EQ(b.settings.MeasureAcpChannel(2, c.rms, b.setup), c.reading) << c.raw[0];
    EXPECT_EQ(b.device.ReadCount(2), 1000u);
    EXPECT_EQ(b.priority.calls,
              (std::vector<std::string>{"class 128", "thread 2", "class 32", "thread 0"}));
  }
}

TEST(AcpSettings, ByReadingScalesTheTypedValueByTheMeasuredReading) {
  struct Case {
    int16_t raw;
    int16_t offset;
    bool filter;
    double reading;  // code / 511
    std::string acp;
  };
  const std::vector<Case> cases = {
      {255, 0, false, 255.0 / 511, "0.499"},
      {-255, 0, true, 255.0 / 511, "0.499"},  // RMS under the filter
      {-255, 0, false, -255.0 / 511, "-0.499"},
      {250, 5, false, 255.0 / 511, "0.499"},  // the dialog's own zero code counts
      {-2, 2, false, 0.0, "0.000"},
  };
  for (const Case& c : cases) {
    Bench b;
    b.device.SetConstant(6, c.raw);
    b.settings.AcpOffset[6] = c.offset;
    b.settings.SetFiltered(6, c.filter);
    b.settings.TakeReading(6, AcpSettingMode::ByReading, b.setup);
    EXPECT_DOUBLE_EQ(b.settings.AcpReading[6], c.reading) << c.raw;
    EXPECT_EQ(b.settings.Fields(6).Acp, c.acp) << c.raw;
    EXPECT_EQ(b.device.ReadCount(6), 1000u);

    b.settings.Store(6, AcpSettingMode::ByReading, Edits(b.settings.Fields(6), "100"));
    double base = c.reading != 0 ? 100 / c.reading : 1.0;  // a zero reading gives 1
    EXPECT_DOUBLE_EQ(b.settings.AcpBase[6], base) << c.raw;
  }
}

TEST(AcpSettings, StoreReadsNumbersLenientlyAndTheZeroCodeStrictly) {
  struct Case {
    std::string base, zero;
    double realBase;
    int16_t offset;
  };
  const std::vector<Case> cases = {
      {"1,5", "-12", 1.5, -12},
      {"2.5 A", " 7 ", 2.5, 7},
      {"abc", "$10", 0, 16},
      {"", "32767", 0, 32767},
  };
  for (const Case& c : cases) {
    Bench b;
    b.settings.TakeReading(0, AcpSettingMode::ByMaximum, b.setup);
    b.settings.Store(0, AcpSettingMode::ByMaximum, {true, "15", c.base, c.zero});
    EXPECT_EQ(b.settings.AcpRealBase[0], c.realBase) << c.base;
    EXPECT_EQ(b.settings.AcpOffset[0], c.offset) << c.zero;
  }
}

TEST(AcpSettings, AZeroCodeThatIsNotAnInt16StopsTheStoreAfterTheEarlierFields) {
  struct Case {
    std::string zero, message;
  };
  const std::vector<Case> cases = {
      {"1.5", "«1.5» — не целое число"},
      {"", "«» — не целое число"},
      {"12a", "«12a» — не целое число"},
      {"40000", "«40000» — смещение нуля должно лежать в пределах от -32768 до 32767"},
  };
  for (const Case& c : cases) {
    Bench b;
    b.settings.AcpOffset[2] = -4;
    b.settings.TakeReading(2, AcpSettingMode::ByMaximum, b.setup);
    try {
      b.settings.Store(2, AcpSettingMode::ByMaximum, {false, "30", "20", c.zero});
      ADD_FAILURE() << c.zero << " stored";
    } catch (const UserError& e) {
      EXPECT_EQ(std::string(e.what()), c.message);
    }
    EXPECT_FALSE(b.settings.Filtered(2));  // ADC 3 was filtered by default
    EXPECT_EQ(b.settings.AcpRealBase[2], 20);
    EXPECT_EQ(b.settings.AcpBase[2], 30);
    EXPECT_EQ(b.settings.AcpOffset[2], -4);
  }
}

TEST(AcpSettings, FieldsUseTheSystemDecimalSeparator) {
  Bench b;
  SetSystemDecimalSeparator(',');
  b.settings.AcpReading[9] = 0.5;
  b.settings.AcpRealBase[9] = 2;
  AcpChannelFields shown = b.settings.Fields(9);
  SetSystemDecimalSeparator('.');
  EXPECT_EQ(shown.Acp, "0,500");
  EXPECT_EQ(shown.Stand, "10,000");  // Iп: 20 at full scale
  EXPECT_EQ(shown.Base, "2,000");
  EXPECT_EQ(shown.Zero, "0");
}

}  // namespace
}  // namespace tornel
