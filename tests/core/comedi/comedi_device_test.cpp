#include "core/device/comedi_device.h"

#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <vector>

#include "core/acquisition/scan_loop.h"
#include "core/device/device_error.h"
#include "core/device/device_selection.h"
#include "core/device/loopback_check.h"
#include "tests/core/comedi/fake_comedilib.h"
#include "tests/support/fake_priority_control.h"
#include "tests/support/fake_tick_clock.h"
#include "tests/support/temp_dir.h"

namespace tornel {
namespace {

using testing::BenchCard;
using testing::FakeComedi;
using testing::FakeComediCall;
using testing::FakeComediCard;
using testing::FakeComediSubdevice;
using testing::FakeTickClock;

constexpr comedi_range kBipolar10 = {-10.0, 10.0, UNIT_volt};

DeviceChoice Choice(const std::string& path = "/dev/comedi0") {
  DeviceChoice choice;
  choice.kind = DeviceChoice::Kind::Comedi;
  choice.comediPath = path;
  return choice;
}

std::string OpenError(const DeviceChoice& choice) {
  try {
    ComediDevice::Open(choice);
  } catch (const UserError& e) {
    return e.what();
  }
  return "opened";
}

std::string CheckedReadError(Device& device, int16_t channel) {
  try {
    device.ReadChecked(channel);
  } catch (const DeviceError& e) {
    return e.what();
  }
  return "read";
}

class ComediTest : public ::testing::Test {
protected:
  // Every test leaves every handle closed and asked comedilib for nothing
  // the card lacks.
  void TearDown() override {
    EXPECT_EQ(fake.OpenHandles(), 0);
    EXPECT_EQ(fake.violations, std::vector<std::string>{});
  }

  FakeComedi fake;
  FakeTickClock clock;
};

TEST_F(ComediTest, ComediCardThatDoesNotOpenLeavesTheProgramOnNoDeviceAndSaysWhy) {
  const struct {
    int error;
    const char* reason;
  } cases[] = {
      {ENOENT, "No such file or directory"},
      {EACCES, "Permission denied"},
      {EBUSY, "Device or resource busy"},
  };
  for (const auto& c : cases) {
    fake.openErrno = c.error;
    OpenedDevice opened = OpenDevice(Choice("/dev/comedi3"), clock);
    ASSERT_NE(opened.device, nullptr);
    EXPECT_EQ(opened.device->Description(), "нет (плата /dev/comedi3 не открылась)");
    EXPECT_EQ(opened.warning, std::string("Устройство comedi /dev/comedi3: не удалось открыть (") +
                                  c.reason +
                                  ").\nПрограмма работает без устройства: АЦП читают 0, ЦАП "
                                  "ничего не выводят.");
    EXPECT_EQ(opened.device->ReadChecked(0), 0);
  }
}

TEST_F(ComediTest, ComediCardTheBenchCannotUseIsRefusedAndClosed) {
  FakeComediSubdevice outputOnly{COMEDI_SUBD_AO, 2, 4095, {kBipolar10}, {}};
  FakeComediSubdevice noChannels{COMEDI_SUBD_AI, 0, 4095, {kBipolar10}, {}};
  FakeComediCard broken = BenchCard();
  broken.subdevices[0].maxdata = 0;  // the library's answer on error
  const struct {
    const char* name;
    FakeComediCard card;
    int inputSubdevice;
    int inputRange;
    const char* error;
  } cases[] = {
      {"outputs only", {"b", "d", {outputOnly}}, -1, 0, "на плате нет аналоговых входов"},
      {"no input channels",
       {"b", "d", {noChannels, outputOnly}},
       -1,
       0,
       "на плате нет аналоговых входов"},
      {"input subdevice is an output", BenchCard(), 1, 0,
       "подустройство 1 не является аналоговым входом"},
      {"input subdevice beyond the card", BenchCard(), 2, 0,
       "на плате нет подустройства 2 (подустройств: 2)"},
      {"missing range", BenchCard(), -1, 3, "у аналоговых входов нет диапазона 3 (диапазонов: 1)"},
      {"maxdata unknown", broken, -1, 0,
       "не удалось узнать разрядность АЦП 1 (Input/output error)"},
  };
  for (const auto& c : cases) {
    fake.cards["/dev/comedi0"] = c.card;
    DeviceChoice choice = Choice();
    choice.inputSubdevice = c.inputSubdevice;
    choice.inputRange = c.inputRange;
    EXPECT_EQ(OpenError(choice), std::string("Устройство comedi /dev/comedi0: ") + c.error)
        << c.name;
    EXPECT_EQ(fake.OpenHandles(), 0) << c.name;
  }
  EXPECT_EQ(fake.reads, 0);
}

TEST_F(ComediTest, ComediChannelsTheCardLacksAreAnnouncedAndNeverAskedFor) {
  fake.cards["/dev/comedi0"] = BenchCard(4095, kBipolar10, 8, 1);
  std::string notice;
  auto device = ComediDevice::Open(Choice(), &notice);
  EXPECT_EQ(notice,
            "На плате /dev/comedi0 аналоговых входов 8 из 16. Нет каналов АЦП 9–16: запись с ними "
            "останавливается с ошибкой, в остальных окнах они показывают 0, кнопка пуска стенда "
            "(АЦП 16) не действует\n"
            "На плате /dev/comedi0 аналоговых выходов 1 из 2: сигналы ЦАП 2 не выводятся");
  for (int16_t ch = 0; ch < 16; ++ch) device->Read(ch);
  EXPECT_EQ(fake.reads, 8);
  EXPECT_EQ(
      CheckedReadError(*device, 8),
      "Ошибка платы сбора данных (/dev/comedi0, АЦП 9): на плате нет этого входа (входов: 8)");
  device->Write(1, 700);
  EXPECT_TRUE(fake.writes.empty());
  EXPECT_THROW(device->WriteChecked(1, 700), DeviceError);
  device->Write(0, 1023);
  EXPECT_EQ(fake.writes, (std::vector<FakeComediCall>{{1, 0, 0, AREF_GROUND, 4095}}));

  // A card without outputs still records; its DAC writes go nowhere.
  device.reset();
  fake.cards["/dev/comedi0"].subdevices.pop_back();
  notice.clear();
  device = ComediDevice::Open(Choice(), &notice);
  EXPECT_NE(notice.find("На плате /dev/comedi0 нет аналоговых выходов: сигналы ЦАП не выводятся"),
            std::string::npos)
      << notice;
  device->Write(0, 511);
  EXPECT_EQ(fake.writes.size(), 1u);
  device.reset();
}

TEST_F(ComediTest, ComediTwelveAndSixteenBitCardsMapToTheProgramsCodesWhateverTheRange) {
  // Codes: floor(sample * 1024 / (maxdata + 1)) - 512, the range does not
  // enter. DAC codes clamp to 0..1023, then round(code * maxdata / 1023).
  struct Sample {
    lsampl_t sample;
    int16_t code;
  };
  struct Output {
    int16_t code;
    lsampl_t data;
  };
  const struct {
    lsampl_t maxdata;
    comedi_range range;
    std::vector<Sample> samples;
    std::vector<Output> outputs;
  } cards[] = {
      {4095,
       kBipolar10,
       {{0, -512}, {1000, -262}, {2047, -1}, {2048, 0}, {4095, 511}},
       {{-7, 0}, {0, 0}, {511, 2045}, {512, 2050}, {1023, 4095}, {1500, 4095}}},
      {4095,
       {0.0, 10.0, UNIT_volt},
       {{0, -512}, {1000, -262}, {2047, -1}, {2048, 0}, {4095, 511}},
       {{-7, 0}, {511, 2045}, {1500, 4095}}},
      {65535,
       {-5.0, 5.0, UNIT_volt},
       {{0, -512}, {1000, -497}, {32767, -1}, {32768, 0}, {65535, 511}},
       {{-7, 0}, {0, 0}, {511, 32735}, {512, 32800}, {1023, 65535}, {1500, 65535}}},
      {65535,
       {0.0, 5.0, UNIT_volt},
       {{0, -512}, {32768, 0}, {65535, 511}},
       {{511, 32735}, {1500, 65535}}},
  };
  for (const auto& card : cards) {
    SCOPED_TRACE(::testing::Message() << card.maxdata << " " << card.range.min);
    lsampl_t next = 0;
    FakeComediCard script = BenchCard(card.maxdata, card.range);
    script.subdevices[0].sample = [&next](unsigned) { return next; };
    // A second range, chosen, with differential inputs.
    script.subdevices[0].ranges.push_back(card.range);
    fake.cards["/dev/comedi0"] = script;
    DeviceChoice choice = Choice();
    choice.inputRange = 1;
    choice.inputReference = "diff";
    auto device = ComediDevice::Open(choice);
    for (const Sample& s : card.samples) {
      next = s.sample;
      EXPECT_EQ(device->Read(5), s.code) << s.sample;
      EXPECT_EQ(fake.lastRead, (FakeComediCall{0, 5, 1, AREF_DIFF, s.sample}));
    }
    for (const Output& o : card.outputs) {
      device->Write(1, o.code);
      EXPECT_EQ(fake.writes.back(), (FakeComediCall{1, 1, 0, AREF_GROUND, o.data})) << o.code;
    }
  }
}

TEST_F(ComediTest, ComediReadErrorMidRecordingStopsItKeepsTheWholeScansAndSaysWhy) {
  FakeComediCard card = BenchCard();
  // ADC 1 reads code 1, ADC 3 code 3: sample 2048 + 4 per code.
  card.subdevices[0].sample = [](unsigned ch) { return 2048 + 4 * (ch + 1); };
  // Three whole scans of two reads, then ADC 1 of the fourth; ADC 3 fails.
  card.readsBeforeFailure = 7;
  fake.cards["/dev/comedi0"] = card;
  auto device = ComediDevice::Open(Choice());

  testing::TempDir dir;
  ChannelTable table;
  table.Tzi = 0.0;
  ScanRequest request;
  request.FileName = dir.File("Trn1");
  request.AcpMask = 0x0005;
  request.AcpZero[0] = 10;
  request.AcpZero[2] = -3;
  request.CapMask = 0x0001;
  request.DriveCap = true;
  request.Amplitude[0] = 100;  // a step once the first millisecond has passed
  request.CapZero[0] = request.CapZero[1] = 511;
  request.Duration = 5.0;
  clock.SetAutoAdvance(1);
  testing::FakePriorityControl priority;
  struct : ScanHooks {
    void SaveCursorShowBusy() override {}
    void DisableStartButton() override {}
    void RestoreCursor() override {}
  } hooks;
  RawSampleWriter writer;
  std::atomic<bool> terminate{false};
  ScanResult r =
      RunScan(request, ScanContext{*device, table, clock, priority, hooks}, writer, terminate);

  EXPECT_EQ(r.Outcome, ScanOutcome::Failed);
  EXPECT_EQ(r.Message,
            "Ошибка платы сбора данных (/dev/comedi0, АЦП 3): No such device\nСохранено 3 точки.");
  EXPECT_EQ(r.Count, 3);
  // ADC 1 + 10, ADC 3 - 3, DAC 1's level: 0 in the first scan, then 100.
  EXPECT_EQ(testing::ReadBytes(request.FileName), std::string("\x0b\x00\x00\x00\x00\x00"
                                                              "\x0b\x00\x00\x00\x64\x00"
                                                              "\x0b\x00\x00\x00\x64\x00",
                                                              18));
  // Zero codes (511 -> 2045), the step (611 -> 2446), and back at zero after.
  ASSERT_GE(fake.writes.size(), 4u);
  EXPECT_EQ(std::vector<FakeComediCall>(fake.writes.begin(), fake.writes.begin() + 3),
            (std::vector<FakeComediCall>{{1, 0, 0, AREF_GROUND, 2045},
                                         {1, 1, 0, AREF_GROUND, 2045},
                                         {1, 0, 0, AREF_GROUND, 2446}}));
  EXPECT_EQ(fake.LastWritten(1, 0), 2045u);
  EXPECT_EQ(fake.LastWritten(1, 1), 2045u);
  EXPECT_EQ(priority.calls.back(), "thread " + std::to_string(table.AppThreadPriority));
  device.reset();
}

TEST_F(ComediTest, ComediLoopbackThroughTheCardReadsBackEachLevelOnAStraightLine) {
  FakeComediCard card = BenchCard();
  // DAC 1 wired to ADC 1: the input reads the output's sample.
  card.subdevices[0].sample = [this](unsigned) { return fake.LastWritten(1, 0); };
  fake.cards["/dev/comedi0"] = card;
  auto device = ComediDevice::Open(Choice());
  clock.SetAutoAdvance(1);
  LoopbackResult result = RunLoopbackCheck(*device, clock, 0, 0, 511);
  // Code c -> sample round(c * 4095 / 1023) -> floor(sample / 4) - 512.
  const double expected[] = {-384, -192, 0, 192, 384};
  for (std::size_t i = 0; i < result.points.size(); ++i)
    EXPECT_EQ(result.points[i].reading, expected[i]) << i;
  EXPECT_DOUBLE_EQ(result.slope, 1.0);
  EXPECT_DOUBLE_EQ(result.intercept, -512.0);
  EXPECT_TRUE(result.Passed());
  EXPECT_EQ(fake.reads, 5 * kLoopbackReads);
  EXPECT_EQ(fake.LastWritten(1, 0), 2045u);
  EXPECT_EQ(device->Description(), "comedi /dev/comedi0 (fake-board)");
  device.reset();
}

}  // namespace
}  // namespace tornel
