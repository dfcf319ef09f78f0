#include "core/static/static_settings.h"

#include <gtest/gtest.h>

#include <string>

#include "core/config/profile_file.h"
#include "core/static/auto_stat_settings.h"
#include "core/text/cp1251.h"
#include "tests/support/temp_dir.h"

namespace tornel {
namespace {

using testing::TempDir;
using testing::WriteBytes;

TEST(StaticSettings, MissingFileGivesTheDefaults) {
  TempDir dir;
  StaticSettings s = LoadStaticSettings(dir.File("Tornel.ini"));
  EXPECT_EQ(s.Coord1, 5);
  EXPECT_EQ(s.Coord2, 6);
  EXPECT_TRUE(s.StartFromStend);
  AutoStatSettings a = LoadAutoStatSettings(dir.File("Tornel.ini"));
  EXPECT_EQ(a.DacIndex, 0);
  EXPECT_EQ(a.AutoPoints[0], 10);
  EXPECT_EQ(a.AutoPoints[1], 10);
  EXPECT_EQ(a.AutoTimeStep[1], 0.0);
}

TEST(StaticSettings, ReadsTheKeysAndRefusesChannelsOutsideTheTable) {
  TempDir dir;
  std::string path = dir.File("Tornel.ini");
  WriteBytes(path, Utf8ToCp1251("[Статическая характеристика (defaults)]\r\n"
                                "Координата №1=15\r\n"
                                "Координата №2=16\r\n"
                                "Управление со стенда=0\r\n"
                                "Номер ЦАП=1\r\n"
                                "Нач.значение сигнала задания1=-2,5\r\n"
                                "Кон.значение сигнала задания1=7.5\r\n"
                                "Кол-во экспер.точек1=11.9\r\n"
                                "Шаг по времени1=0,25\r\n"
                                "Нач.значение сигнала задания0=3\r\n"));
  StaticSettings s = LoadStaticSettings(path);
  EXPECT_EQ(s.Coord1, 15);
  EXPECT_EQ(s.Coord2, 6);  // 16 is past the last ADC channel
  EXPECT_FALSE(s.StartFromStend);
  AutoStatSettings a = LoadAutoStatSettings(path);
  EXPECT_EQ(a.DacIndex, 1);
  EXPECT_EQ(a.AutoStart[1], -2.5);
  EXPECT_EQ(a.AutoEnd[1], 7.5);
  EXPECT_EQ(a.AutoPoints[1], 11);
  EXPECT_EQ(a.AutoTimeStep[1], 0.25);
  EXPECT_EQ(a.AutoStart[0], 3.0);
}

TEST(StaticSettings, ADacIndexOtherThanTheTwoReadsAsTheFirst) {
  TempDir dir;
  std::string path = dir.File("Tornel.ini");
  WriteBytes(path, Utf8ToCp1251("[Статическая характеристика (defaults)]\r\nНомер ЦАП=5\r\n"));
  EXPECT_EQ(LoadAutoStatSettings(path).DacIndex, 0);
}

TEST(StaticSettings, SavesEveryKeyWithTheDacIndexDigit) {
  TempDir dir;
  std::string path = dir.File("Tornel.ini");
  SaveStaticSettings(path, {3, 4, false});
  AutoStatSettings a;
  a.DacIndex = 1;
  a.AutoStart = {0.5, -1};
  a.AutoEnd = {10, 2};
  a.AutoPoints = {3, 2999};
  a.AutoTimeStep = {0.001, 2};
  SaveAutoStatSettings(path, a);
  ProfileFile ini(path);
  const char* section = "Статическая характеристика (defaults)";
  EXPECT_EQ(ini.ReadString(section, "Координата №1", "?"), "3");
  EXPECT_EQ(ini.ReadString(section, "Координата №2", "?"), "4");
  EXPECT_EQ(ini.ReadString(section, "Управление со стенда", "?"), "0");
  EXPECT_EQ(ini.ReadString(section, "Номер ЦАП", "?"), "1");
  EXPECT_EQ(ini.ReadString(section, "Нач.значение сигнала задания0", "?"), "0.5");
  EXPECT_EQ(ini.ReadString(section, "Кон.значение сигнала задания1", "?"), "2");
  EXPECT_EQ(ini.ReadString(section, "Кол-во экспер.точек1", "?"), "2999");
  EXPECT_EQ(ini.ReadString(section, "Шаг по времени0", "?"), "0.001");
}

}  // namespace
}  // namespace tornel
