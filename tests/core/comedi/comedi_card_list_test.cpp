#include "core/device/comedi_card_list.h"

#include <gtest/gtest.h>

#include "core/device/comedi_device.h"
#include "tests/core/comedi/fake_comedilib.h"
#include "tests/support/temp_dir.h"

namespace tornel {
namespace {

using testing::FakeComedi;
using testing::FakeComediCard;
using testing::FakeComediSubdevice;
using testing::TempDir;

TEST(ComediCardList, ComediListShowsEveryCardInNumberOrderWithWhatTheLibraryTells) {
  FakeComedi fake;
  TempDir dir;
  for (const char* name : {"comedi10", "comedi2", "comedi0", "comedi", "comedi0_subd1", "ttyS0"})
    testing::WriteBytes(dir.File(name), "");
  FakeComediCard daq{"pci-6221", "ni_pcimio", {}};
  daq.subdevices.push_back({COMEDI_SUBD_AI,
                            16,
                            65535,
                            {{-10, 10, UNIT_volt}, {-5, 5, UNIT_volt}, {-0.2, 0.2, UNIT_volt}},
                            {}});
  daq.subdevices.push_back(
      {COMEDI_SUBD_AO, 2, 65535, {{-10, 10, UNIT_volt}, {0, 1, UNIT_none}}, {}});
  daq.subdevices.push_back({COMEDI_SUBD_DIO, 8, 1, {{0, 5, UNIT_volt}}, {}});
  FakeComediCard small{"lab-12", "lab_drv", {}};
  small.subdevices.push_back({COMEDI_SUBD_AI, 8, 4095, {{0, 10, UNIT_volt}, {4, 20, UNIT_mA}}, {}});
  fake.cards[dir.File("comedi0")] = daq;
  fake.cards[dir.File("comedi2")] = small;
  fake.openErrno = EACCES;  // comedi10

  EXPECT_EQ(ListComediCards(dir.Path().string(), ComediDevice::Probe),
            dir.File("comedi0") +
                ": плата pci-6221, драйвер ni_pcimio\n"
                "  аналоговые входы, подустройство 0: каналов 16, maxdata 65535 (16 бит)\n"
                "    диапазон 0: -10 … 10 В\n"
                "    диапазон 1: -5 … 5 В\n"
                "    диапазон 2: -0,2 … 0,2 В\n"
                "  аналоговые выходы, подустройство 1: каналов 2, maxdata 65535 (16 бит)\n"
                "    диапазон 0: -10 … 10 В\n"
                "    диапазон 1: 0 … 1 (без единиц)\n"
                "\n" +
                dir.File("comedi2") +
                ": плата lab-12, драйвер lab_drv\n"
                "  аналоговые входы, подустройство 0: каналов 8, maxdata 4095 (12 бит)\n"
                "    диапазон 0: 0 … 10 В\n"
                "    диапазон 1: 4 … 20 мА\n"
                "  стенду нужно 16 входов: нет каналов АЦП 9–16\n"
                "  аналоговых выходов нет: сигналы ЦАП выводиться не будут\n"
                "\n"
                "Устройство comedi " +
                dir.File("comedi10") + ": не удалось открыть (Permission denied)\n");
  EXPECT_EQ(fake.OpenHandles(), 0);
  EXPECT_EQ(fake.violations, std::vector<std::string>{});
}

TEST(ComediCardList, ComediListWithoutCardsSaysSo) {
  TempDir dir;
  testing::WriteBytes(dir.File("comedi_x"), "");
  int probes = 0;
  auto probe = [&probes](const std::string&) {
    ++probes;
    return ComediCardInfo{};
  };
  EXPECT_EQ(ListComediCards(dir.Path().string(), probe), "Платы сбора данных не найдены\n");
  EXPECT_EQ(ListComediCards(dir.File("absent"), probe), "Платы сбора данных не найдены\n");
  EXPECT_EQ(probes, 0);
}

}  // namespace
}  // namespace tornel
