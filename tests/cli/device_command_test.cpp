#include "cli/device_command.h"

#include <gtest/gtest.h>

#include <sstream>

#include "core/text/cp1251.h"
#include "core/text/user_error.h"
#include "tests/cli/tool_run.h"
#include "tests/support/fake_device.h"
#include "tests/support/fake_tick_clock.h"
#include "tests/support/temp_dir.h"

namespace tornel::cli {
namespace {

using testing::FakeDevice;
using testing::FakeTickClock;
using testing::TempDir;

// Hands the command a device the test keeps looking at.
class Borrowed final : public Device {
public:
  explicit Borrowed(FakeDevice& device) : device_(device) {}
  int16_t Read(int16_t channel) override { return device_.Read(channel); }
  void Write(int16_t channel, int16_t code) override { device_.Write(channel, code); }
  int16_t ReadChecked(int16_t channel) override { return device_.ReadChecked(channel); }
  void WriteChecked(int16_t channel, int16_t code) override { device_.WriteChecked(channel, code); }
  std::string Description() const override { return "comedi /dev/comedi4 (lab-12)"; }

private:
  FakeDevice& device_;
};

class DeviceCommandTest : public ::testing::Test {
protected:
  DeviceCommandTest() {
    clock.SetAutoAdvance(1);
    system.folder = dir.Path().string();
    system.probe = [](const std::string& path) -> ComediCardInfo {
      throw UserError("Устройство comedi " + path + ": не удалось открыть (Permission denied)");
    };
    system.open = [this](const DeviceChoice& choice, std::string* notice) {
      opened = choice;
      *notice = "На плате /dev/comedi4 аналоговых выходов 1 из 2: сигналы ЦАП 2 не выводятся";
      return std::make_unique<Borrowed>(device);
    };
    system.clock = &clock;
  }
  int Run(std::vector<std::string> args) {
    std::ostringstream o, e;
    int code = DeviceCommand(args, o, e, system);
    out = o.str();
    err = e.str();
    return code;
  }

  TempDir dir;
  FakeTickClock clock;
  FakeDevice device{&clock};
  DeviceCommandSystem system;
  DeviceChoice opened;
  std::string out, err;
};

TEST_F(DeviceCommandTest, ListEndsWellWithoutCardsAndWithCardsThatDoNotOpen) {
  EXPECT_EQ(Run({"device", "--list"}), 0);
  EXPECT_EQ(out, "Платы сбора данных не найдены\n");
  testing::WriteBytes(dir.File("comedi0"), "");
  EXPECT_EQ(Run({"device", "--list"}), 0);
  EXPECT_EQ(out, "Устройство comedi " + dir.File("comedi0") +
                     ": не удалось открыть (Permission denied)\n");
}

TEST_F(DeviceCommandTest, TestOfAWiredCardUsesTheConfigurationAndLeavesDac1AtItsZeroCode) {
  testing::WriteBytes(dir.File("Tornel.ini"),
                      Utf8ToCp1251("[Устройство]\r\nДрайвер=модель\r\nПодустройство ЦАП=1\r\n"
                                   "Диапазон АЦП=2\r\n[Offset]\r\nCAP_Offset1=500\r\n"));
  device.SetFunction(
      0, [this](uint64_t) { return static_cast<int16_t>(device.LastCode(0).value_or(0) - 512); });
  EXPECT_EQ(Run({"device", "--test", "/dev/comedi4", "--config", dir.File("Tornel.ini")}), 0);
  EXPECT_EQ(opened.kind, DeviceChoice::Kind::Comedi);
  EXPECT_EQ(opened.comediPath, "/dev/comedi4");
  EXPECT_EQ(opened.outputSubdevice, 1);
  EXPECT_EQ(opened.inputRange, 2);
  EXPECT_EQ(err,
            "tornel-tool: На плате /dev/comedi4 аналоговых выходов 1 из 2: сигналы ЦАП 2 не "
            "выводятся\n");
  // The table itself is the loopback check's own.
  EXPECT_EQ(out.substr(0, out.find('\n') + 1),
            "Проверка comedi /dev/comedi4 (lab-12): выход ЦАП 1 соединён со входом АЦП 1\n");
  EXPECT_EQ(out.substr(out.rfind('\n', out.size() - 2) + 1),
            "Исправно: АЦП 1 следует за ЦАП 1 по прямой\n");
  EXPECT_EQ(device.LastCode(0), 500);
}

TEST_F(DeviceCommandTest, TestThatFailsOrCannotRunEndsWithOne) {
  device.SetConstant(0, 17);  // nothing wired
  EXPECT_EQ(Run({"device", "--test", "/dev/comedi4"}), 1);
  EXPECT_NE(out.find("Неисправно: АЦП 1 не следует за ЦАП 1."), std::string::npos) << out;
  EXPECT_EQ(device.LastCode(0), 511);  // the default zero code

  device.FailAfterReads(device.TotalReads() + 30, "No such device");
  EXPECT_EQ(Run({"device", "--test", "/dev/comedi4"}), 1);
  EXPECT_EQ(err.substr(err.find('\n') + 1),
            "tornel-tool: Ошибка платы сбора данных (тестовое устройство, АЦП 1): No such "
            "device\n");
  EXPECT_EQ(device.LastCode(0), 511);
}

TEST_F(DeviceCommandTest, WrongWordsShowTheUsage) {
  const std::vector<std::vector<std::string>> cases = {
      {"device"},
      {"device", "--list", "--test", "/dev/comedi0"},
      {"device", "--test"},
      {"device", "--probe"},
      {"device", "--list", "--config", "a.ini"},
  };
  for (const auto& args : cases) {
    EXPECT_EQ(Run(args), 2) << args.back();
    EXPECT_NE(err.find("tornel-tool device --list"), std::string::npos);
  }
}

TEST(DeviceCommand, RealTestWithoutACardRefusesNamingTheFile) {
  ToolRun run = Tool({"device", "--test", "/nonexistent/comedi9"});
  EXPECT_EQ(run.code, 1);
  EXPECT_TRUE(run.out.empty());
#if TORNEL_HAVE_COMEDI
  EXPECT_EQ(run.err,
            "tornel-tool: Устройство comedi /nonexistent/comedi9: не удалось открыть (No such file "
            "or directory)\n");
#else
  EXPECT_NE(run.err.find("comedilib"), std::string::npos) << run.err;
#endif
}

}  // namespace
}  // namespace tornel::cli
