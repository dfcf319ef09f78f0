#include "core/device/device_selection.h"

#include <gtest/gtest.h>

#include <string>

#include "core/device/comedi_scaling.h"
#include "core/text/cp1251.h"
#include "tests/support/fake_tick_clock.h"
#include "tests/support/temp_dir.h"

namespace tornel {
namespace {

using Kind = DeviceChoice::Kind;
using testing::FakeTickClock;
using testing::TempDir;

// A configuration file written byte by byte, as a user would edit it.
DeviceChoice ChoiceFromFile(const std::string& utf8Text) {
  TempDir dir;
  std::string path = dir.File("Tornel.ini");
  testing::WriteBytes(path, Utf8ToCp1251(utf8Text));
  return ReadDeviceChoice(ProfileFile(path));
}

TEST(ReadDeviceChoice, TheDriverKeyChoosesTheBackend) {
  struct Case {
    const char* text;
    Kind kind;
    bool problem;
  };
  const Case cases[] = {
      {"", Kind::Simulated, false},  // a fresh installation
      {"[Устройство]\r\n", Kind::Simulated, false},
      {"[Устройство]\r\nДрайвер=нет\r\n", Kind::None, false},
      {"[Устройство]\r\nДрайвер=модель\r\n", Kind::Simulated, false},
      {"[Устройство]\r\nДрайвер=comedi\r\n", Kind::Comedi, false},
      {"[устройство]\r\nдрайвер=НЕТ\r\n", Kind::None, false},
      {"[Устройство]\r\nДрайвер= Comedi \r\n", Kind::Comedi, false},
      {"[Устройство]\r\nДрайвер=ni_pcimio\r\n", Kind::Simulated, true},
      {"[Устройство]\r\nДрайвер=\r\n", Kind::Simulated, true},
  };
  for (const Case& c : cases) {
    DeviceChoice choice = ChoiceFromFile(c.text);
    EXPECT_EQ(choice.kind, c.kind) << c.text;
    EXPECT_EQ(!choice.problem.empty(), c.problem) << c.text;
  }
  EXPECT_NE(ChoiceFromFile("[Устройство]\nДрайвер=ni_pcimio\n").problem.find("ni_pcimio"),
            std::string::npos);
}

TEST(ReadDeviceChoice, ReadsTheComediSettingsBesideTheDriver) {
  DeviceChoice choice = ChoiceFromFile(
      "[Устройство]\r\nДрайвер=comedi\r\nФайл устройства=/dev/comedi3\r\n"
      "Подустройство АЦП=2\r\nПодустройство ЦАП=$1\r\nДиапазон АЦП=3\r\nДиапазон ЦАП=1\r\n"
      "Опора АЦП=DIFF\r\n");
  EXPECT_EQ(choice.comediPath, "/dev/comedi3");
  EXPECT_EQ(choice.inputSubdevice, 2);
  EXPECT_EQ(choice.outputSubdevice, 1);
  EXPECT_EQ(choice.inputRange, 3);
  EXPECT_EQ(choice.outputRange, 1);
  EXPECT_EQ(choice.inputReference, "diff");
  EXPECT_TRUE(choice.problem.empty());

  DeviceChoice defaults = ChoiceFromFile("[Устройство]\r\nДрайвер=comedi\r\nОпора АЦП=земля\r\n");
  EXPECT_EQ(defaults.comediPath, "/dev/comedi0");
  EXPECT_EQ(defaults.inputSubdevice, -1);
  EXPECT_EQ(defaults.outputSubdevice, -1);
  EXPECT_EQ(defaults.inputRange, 0);
  EXPECT_EQ(defaults.inputReference, "ground");
  EXPECT_NE(defaults.problem.find("земля"), std::string::npos);
}

TEST(ReadDeviceChoice, TheSampleConfigurationRunsOnTheModel) {
  ProfileFile sample(std::string(TORNEL_SOURCE_DIR) + "/resources/Tornel.ini");
  DeviceChoice choice = ReadDeviceChoice(sample);
  EXPECT_EQ(choice.kind, Kind::Simulated);
  EXPECT_EQ(choice.comediPath, "/dev/comedi0");
  EXPECT_TRUE(choice.problem.empty()) << choice.problem;
}

TEST(ParseDeviceOption, OverridesTheConfiguredBackend) {
  DeviceChoice configured;
  configured.kind = Kind::Comedi;
  configured.comediPath = "/dev/comedi2";
  configured.inputRange = 4;
  configured.problem = "from the file";
  struct Case {
    const char* text;
    bool valid;
    Kind kind;
    const char* path;
  };
  const Case cases[] = {
      {"none", true, Kind::None, "/dev/comedi2"},
      {"sim", true, Kind::Simulated, "/dev/comedi2"},
      {"comedi", true, Kind::Comedi, "/dev/comedi2"},
      {"comedi:/dev/comedi1", true, Kind::Comedi, "/dev/comedi1"},
      {"comedi:", false, Kind::None, ""},
      {"sim:/dev/comedi1", false, Kind::None, ""},
      {"", false, Kind::None, ""},
      {"simulated", false, Kind::None, ""},
      {" sim", false, Kind::None, ""},
  };
  for (const Case& c : cases) {
    std::optional<DeviceChoice> choice = ParseDeviceOption(c.text, configured);
    ASSERT_EQ(choice.has_value(), c.valid) << "'" << c.text << "'";
    if (!choice) continue;
    EXPECT_EQ(choice->kind, c.kind) << c.text;
    EXPECT_EQ(choice->comediPath, c.path) << c.text;
    EXPECT_EQ(choice->inputRange, 4);
    EXPECT_TRUE(choice->problem.empty());
  }
}

TEST(OpenDevice, OpensTheChosenBackendAndNamesIt) {
  FakeTickClock clock;
  DeviceChoice none;
  none.kind = Kind::None;
  OpenedDevice opened = OpenDevice(none, clock);
  EXPECT_EQ(opened.device->Description(), "нет");
  EXPECT_TRUE(opened.warning.empty());

  opened = OpenDevice(DeviceChoice{}, clock);
  EXPECT_EQ(opened.device->Description(), "модель стенда");
  EXPECT_TRUE(opened.warning.empty());
}

TEST(OpenDevice, AMissingCardFallsBackToTheNullDeviceAndSaysWhy) {
  FakeTickClock clock;
  DeviceChoice choice;
  choice.kind = Kind::Comedi;
  choice.comediPath = "/nonexistent/comedi7";
  OpenedDevice opened = OpenDevice(choice, clock);
  ASSERT_NE(opened.device, nullptr);
  EXPECT_EQ(opened.device->Description(), "нет (плата /nonexistent/comedi7 не открылась)");
  EXPECT_EQ(opened.device->Read(3), 0);
#if TORNEL_HAVE_COMEDI
  EXPECT_NE(opened.warning.find("/nonexistent/comedi7"), std::string::npos) << opened.warning;
  // The library's own reason, as the system reports a missing file.
  EXPECT_NE(opened.warning.find("No such file or directory"), std::string::npos) << opened.warning;
#else
  EXPECT_NE(opened.warning.find("comedilib"), std::string::npos) << opened.warning;
#endif
  EXPECT_NE(opened.warning.find("без устройства"), std::string::npos) << opened.warning;
}

TEST(OpenDevice, AConfigurationProblemIsPartOfTheWarning) {
  FakeTickClock clock;
  DeviceChoice choice = ChoiceFromFile("[Устройство]\r\nДрайвер=модел\r\n");
  OpenedDevice opened = OpenDevice(choice, clock);
  EXPECT_EQ(opened.device->Description(), "модель стенда");
  EXPECT_NE(opened.warning.find("модел\""), std::string::npos) << opened.warning;
}

TEST(ComediScaling, MapsTheCardsFullRangeToThisProgramsCodes) {
  struct AdcCase {
    uint32_t sample, maxdata;
    int16_t code;
  };
  const AdcCase adc[] = {
      {0, 4095, -512},  {4095, 4095, 511},  {2048, 4095, 0},   {2047, 4095, -1},
      {3, 4095, -512},  {4, 4095, -511},    {32768, 65535, 0}, {65535, 65535, 511},
      {0, 65535, -512}, {99999, 4095, 511}, {511, 1023, -1},   {512, 1023, 0},
  };
  for (const AdcCase& c : adc)
    EXPECT_EQ(ComediSampleToCode(c.sample, c.maxdata), c.code) << c.sample << " of " << c.maxdata;

  struct DacCase {
    int16_t code;
    uint32_t maxdata, sample;
  };
  const DacCase dac[] = {
      {0, 4095, 0},  {1023, 4095, 4095}, {511, 4095, 2045},                          // 2045.4985
      {-5, 4095, 0}, {2000, 4095, 4095}, {1023, 65535, 65535}, {512, 65535, 32800},  // 32799.53
  };
  for (const DacCase& c : dac)
    EXPECT_EQ(ComediCodeToSample(c.code, c.maxdata), c.sample) << c.code << " of " << c.maxdata;
}

}  // namespace
}  // namespace tornel
