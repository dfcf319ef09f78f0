#include "core/config/channel_table.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "core/config/profile_file.h"
#include "core/text/cp1251.h"
#include "core/text/number_text.h"
#include "core/text/user_error.h"
#include "tests/support/temp_dir.h"

namespace tornel {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

std::string Cp(const std::string& utf8) { return Utf8ToCp1251(utf8); }

class ChannelTableTest : public ::testing::Test {
protected:
  ChannelTableTest() { table.ConfigPath = dir.File("Tornel.ini"); }
  void TearDown() override { SetSystemDecimalSeparator('.'); }
  TempDir dir;
  ChannelTable table;
};

TEST_F(ChannelTableTest, AMissingFileGivesTheDefaultsAndStaysMissing) {
  table.ChanName.fill("");
  table.ChanUnit.fill("");
  table.LoadConfig();
  EXPECT_FALSE(std::filesystem::exists(table.ConfigPath));

  struct Slot {
    int slot;
    const char* name;
    const char* unitCp1251;  // bytes, so Latin and Cyrillic look-alikes differ
    double base;
    int16_t offset;
  } slots[] = {
      {0, "Ica", "A", 15, 0},
      {1, "Uca", "B", 220, 0},
      {3, "Upbc", "B", 220, 0},
      {4, "f1", "\xC3\xF6", 100, 0},
      {5, "W", "\xF0\xE0\xE4/\xF1", 188, 0},
      {6, "M", "\xCD*\xEC", 25, 0},
      {9, "I\xEF", "\xC0", 20, 0},
      {10, "K11", "", 1, 0},
      {15, "K16", "", 1, 0},
      {16, "M", "\xCD*\xEC", 1, 511},
      {17, "U", "B", 1, 511},
      {18, "\xCF\xE0\xF0.\xEF\xEE\xF0\xF2", "\xC2", 1, 511},
      {19, "", "", 1, 511},
      {31, "", "", 1, 511},
  };
  for (const auto& s : slots) {
    EXPECT_EQ(Utf8ToCp1251(table.ChanName[s.slot]), s.name) << s.slot;
    EXPECT_EQ(Utf8ToCp1251(table.ChanUnit[s.slot]), s.unitCp1251) << s.slot;
    EXPECT_DOUBLE_EQ(table.Base[s.slot], s.base) << s.slot;
    EXPECT_DOUBLE_EQ(table.RealBase[s.slot], s.base) << s.slot;
    EXPECT_EQ(table.Offset[s.slot], s.offset) << s.slot;
  }
  EXPECT_EQ(table.FilterMask, 15);
  EXPECT_EQ(table.ScanPriorityClass, 32);
  EXPECT_EQ(table.ScanThreadPriority, 0);
  EXPECT_EQ(table.AppPriorityClass, 32);
  EXPECT_EQ(table.AppThreadPriority, 0);
  EXPECT_DOUBLE_EQ(table.Tzi, 2.0);
}

TEST_F(ChannelTableTest, SingleKeysOverrideTheirDefaultsOnly) {
  struct Case {
    std::string file;
    int slot;
    int16_t offset;
    double base;
  } cases[] = {
      {"[Offset]\r\nCAP_Offset1=500\r\n", 16, 500, 1},
      {"[Offset]\r\nACP_Offset3=0x10\r\n", 2, 16, 15},
      {"[Base]\r\nACP_Base1=abc\r\n", 0, 0, 15},
      {"[Base]\r\nCAP_Base2=2,5\r\n", 17, 511, 2.5},
  };
  for (const auto& c : cases) {
    WriteBytes(table.ConfigPath, c.file);
    ChannelTable t;
    t.ConfigPath = table.ConfigPath;
    t.LoadConfig();
    EXPECT_EQ(t.Offset[c.slot], c.offset) << c.file;
    EXPECT_DOUBLE_EQ(t.Base[c.slot], c.base) << c.file;
    // Everything else at its default.
    EXPECT_EQ(t.Offset[c.slot == 16 ? 17 : 16], 511) << c.file;
    EXPECT_DOUBLE_EQ(t.RealBase[c.slot], ChannelTable::DefaultBase(c.slot)) << c.file;
    EXPECT_EQ(t.ChanName[0], "Ica");
  }
}

TEST_F(ChannelTableTest, SaveThenLoadGivesTheSameTable) {
  SetSystemDecimalSeparator(',');
  for (int s = 0; s < kChannelSlots; ++s) {
    table.ChanName[s] = "Канал " + std::to_string(s);
    table.ChanUnit[s] = s % 2 ? "В" : "";
    table.Base[s] = 0.5 + s;
    table.RealBase[s] = 1.0 / (s + 1);
    table.Offset[s] = static_cast<int16_t>(s * 37 - 500);
  }
  table.FilterMask = static_cast<int16_t>(0x8001);
  table.ScanPriorityClass = 256;
  table.ScanThreadPriority = 15;
  table.AppPriorityClass = 64;
  table.AppThreadPriority = 2;
  table.Tzi = 0.125;
  table.SaveConfig();

  ChannelTable back;
  back.ConfigPath = table.ConfigPath;
  back.LoadConfig();
  for (int s = 0; s < kChannelSlots; ++s) {
    bool saved = s < 16 + table.CapCount;
    EXPECT_EQ(back.ChanName[s], saved ? table.ChanName[s] : ChannelTable::DefaultName(s)) << s;
    EXPECT_EQ(back.ChanUnit[s], saved ? table.ChanUnit[s] : ChannelTable::DefaultUnit(s)) << s;
    EXPECT_DOUBLE_EQ(back.Base[s], saved ? table.Base[s] : 1.0) << s;
    EXPECT_NEAR(back.RealBase[s], saved ? table.RealBase[s] : 1.0, 1e-14) << s;
    EXPECT_EQ(back.Offset[s], saved ? table.Offset[s] : 511) << s;
  }
  EXPECT_EQ(back.FilterMask, static_cast<int16_t>(0x8001));
  EXPECT_EQ(back.ScanPriorityClass, 256);
  EXPECT_EQ(back.ScanThreadPriority, 15);
  EXPECT_EQ(back.AppPriorityClass, 64);
  EXPECT_EQ(back.AppThreadPriority, 2);
  EXPECT_DOUBLE_EQ(back.Tzi, 0.125);
}

TEST_F(ChannelTableTest, Int16FieldsAreWrittenSigned) {
  table.Offset[0] = -12;
  table.FilterMask = static_cast<int16_t>(0x8000);
  table.SaveConfig();
  ProfileFile ini(table.ConfigPath);
  EXPECT_EQ(ini.ReadString("Offset", "ACP_Offset1", ""), "-12");
  EXPECT_EQ(ini.ReadString("defaults", "Маска фильтра", ""), "-32768");
}

TEST_F(ChannelTableTest, OnlyTheDacChannelsInUseAreSaved) {
  WriteBytes(table.ConfigPath, Cp("[Наименования каналов ЦАП]\r\nlabel3=Старое\r\n"));
  table.LoadConfig();
  table.ChanName[18] = "Новое";
  table.SaveConfig();
  ProfileFile ini(table.ConfigPath);
  EXPECT_EQ(ini.ReadString("Наименования каналов ЦАП", "label3", ""), "Старое");
  EXPECT_EQ(ini.ReadString("Наименования каналов ЦАП", "label2", ""), "U");
  EXPECT_EQ(ini.ReadString("Offset", "CAP_Offset3", "none"), "none");
}

TEST_F(ChannelTableTest, CommentsBlankLinesAndForeignSectionsSurviveSaveConfig) {
  const std::string head =
      Cp("; Конфигурация стенда кафедры\r\n"
         "\r\n"
         "[Переходный процесс (defaults)]\r\n"
         "Время переходного процесса=2.5\r\n"
         "; заметка\r\n"
         "\r\n");
  const std::string tail =
      Cp("\r\n"
         "[Colors]\r\n"
         "color1=clRed\r\n");
  WriteBytes(table.ConfigPath, head + Cp("[Offset]\r\nACP_Offset1=3\r\n") + tail);
  table.LoadConfig();
  table.SaveConfig();
  std::string after = ReadBytes(table.ConfigPath);
  EXPECT_EQ(after.substr(0, head.size()), head);
  std::size_t colors = after.find(tail);
  ASSERT_NE(colors, std::string::npos);
  EXPECT_NE(after.find("ACP_Offset1=3\r\nACP_Offset2=0\r\n"), std::string::npos);
}

TEST_F(ChannelTableTest, AReadOnlyConfigurationRaisesTheErrorWithThePath) {
  WriteBytes(table.ConfigPath, "[Offset]\r\n");
  ::chmod(table.ConfigPath.c_str(), 0444);
  try {
    table.SaveConfig();
    FAIL() << "no error";
  } catch (const UserError& e) {
    EXPECT_EQ(std::string(e.what()), "Не удалось записать файл " + table.ConfigPath);
  }
  EXPECT_EQ(ReadBytes(table.ConfigPath), "[Offset]\r\n");
}

TEST_F(ChannelTableTest, TheSampleConfigurationReadsAsItSays) {
  table.ConfigPath = std::string(TORNEL_SOURCE_DIR) + "/resources/Tornel.ini";
  table.LoadConfig();
  EXPECT_EQ(table.ChanName[9], "Iп");
  EXPECT_EQ(Utf8ToCp1251(table.ChanUnit[9]), "\xC0");
  EXPECT_EQ(table.ChanName[17], "U");
  EXPECT_DOUBLE_EQ(table.Base[5], 188);
  EXPECT_EQ(table.Offset[16], 511);
  EXPECT_EQ(table.FilterMask, 15);
  EXPECT_DOUBLE_EQ(table.Tzi, 2.0);
}

}  // namespace
}  // namespace tornel
