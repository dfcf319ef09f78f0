#include "core/config/profile_file.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "core/text/cp1251.h"
#include "core/text/number_text.h"
#include "core/text/user_error.h"
#include "tests/support/temp_dir.h"

namespace tornel {
namespace {

using testing::ReadBytes;
using testing::TempDir;
using testing::WriteBytes;

// Files are written in code page 1251; tests spell them in UTF-8.
std::string Cp(const std::string& utf8) { return Utf8ToCp1251(utf8); }

class ProfileFileTest : public ::testing::Test {
protected:
  void TearDown() override { SetSystemDecimalSeparator('.'); }
  TempDir dir;
  std::string path = dir.File("Tornel.ini");
};

TEST_F(ProfileFileTest, AWriteChangesOnlyItsOwnLine) {
  const std::string before =
      Cp("; настройки стенда\r\n"
         "\r\n"
         "[Чужая секция]\r\n"
         "x = 1 ; keep me\r\n"
         "\r\n"
         "[Offset]\r\n"
         "ACP_Offset1 = 5\r\n"
         "ACP_Offset2=7\r\n"
         "\r\n"
         "; trailing comment\r\n");
  WriteBytes(path, before);
  ProfileFile ini(path);
  ini.WriteInteger("offset", "acp_offset1", -12);
  EXPECT_EQ(ReadBytes(path), Cp("; настройки стенда\r\n"
                                "\r\n"
                                "[Чужая секция]\r\n"
                                "x = 1 ; keep me\r\n"
                                "\r\n"
                                "[Offset]\r\n"
                                "ACP_Offset1=-12\r\n"
                                "ACP_Offset2=7\r\n"
                                "\r\n"
                                "; trailing comment\r\n"));
}

TEST_F(ProfileFileTest, NewKeysGoAfterTheLastKeyOfTheirSectionNewSectionsToTheEnd) {
  WriteBytes(path, "[A]\nk1=1\n\n[B]\nz=2\n");
  ProfileFile ini(path);
  ini.WriteString("a", "k2", "two");
  ini.WriteString("Новая", "ключ", "значение");
  EXPECT_EQ(ReadBytes(path), "[A]\nk1=1\nk2=two\n\n[B]\nz=2\n" + Cp("[Новая]\nключ=значение\n"));
}

TEST_F(ProfileFileTest, CyrillicNamesMatchWithoutRegardToCaseAndTheFirstMatchWins) {
  WriteBytes(path, Cp("[приоритеты процессов]\r\nscanpriorityclass=128\r\nScanPriorityClass=64\r\n"
                      "[ПРИОРИТЕТЫ ПРОЦЕССОВ]\r\nAppPriorityClass=256\r\n"
                      "[Ёлка]\r\nЁж=1\r\n"));
  ProfileFile ini(path);
  EXPECT_EQ(ini.ReadInteger("Приоритеты процессов", "ScanPriorityClass", 32), 128);
  // The second section of the same name is never consulted.
  EXPECT_EQ(ini.ReadInteger("Приоритеты процессов", "AppPriorityClass", 32), 32);
  EXPECT_EQ(ini.ReadInteger("ёлка", "ёЖ", 0), 1);
}

TEST_F(ProfileFileTest, ValueEncodings) {
  WriteBytes(path, Cp("[s]\n"
                      "hex1=0x10\nhex2=$1F\nhex3=0X0a\nbad=12abc\nneg=-32768\n"
                      "b0=0\nb1=1\nb7=7\nbx=yes\n"
                      "d1=0.25\nd2=0,25\nd3=\nd4=abc\nd5=1E20\n"
                      "eq=a=b\nq=\"quoted\"\nsp =  padded  \nempty=\n"));
  ProfileFile ini(path);
  EXPECT_EQ(ini.ReadInteger("s", "hex1", 0), 16);
  EXPECT_EQ(ini.ReadInteger("s", "hex2", 0), 31);
  EXPECT_EQ(ini.ReadInteger("s", "hex3", 0), 10);
  EXPECT_EQ(ini.ReadInteger("s", "bad", 99), 99);
  EXPECT_EQ(ini.ReadInteger("s", "neg", 0), -32768);
  EXPECT_EQ(ini.ReadInteger("s", "missing", 42), 42);
  EXPECT_FALSE(ini.ReadBool("s", "b0", true));
  EXPECT_TRUE(ini.ReadBool("s", "b1", false));
  EXPECT_TRUE(ini.ReadBool("s", "b7", false));
  EXPECT_TRUE(ini.ReadBool("s", "bx", true));  // unparsable: the default
  EXPECT_DOUBLE_EQ(ini.ReadFloat("s", "d1", 9), 0.25);
  EXPECT_DOUBLE_EQ(ini.ReadFloat("s", "d2", 9), 0.25);
  EXPECT_DOUBLE_EQ(ini.ReadFloat("s", "d3", 9), 9);
  EXPECT_DOUBLE_EQ(ini.ReadFloat("s", "d4", 9), 9);
  EXPECT_DOUBLE_EQ(ini.ReadFloat("s", "d5", 9), 1e20);
  EXPECT_EQ(ini.ReadString("s", "eq", ""), "a=b");
  EXPECT_EQ(ini.ReadString("s", "q", ""), "quoted");
  EXPECT_EQ(ini.ReadString("s", "sp", ""), "padded");
  EXPECT_EQ(ini.ReadString("s", "empty", "def"), "");
  EXPECT_EQ(ini.ReadString("none", "k", "def"), "def");
}

TEST_F(ProfileFileTest, StringsAreCutAt2047Bytes) {
  WriteBytes(path, "[s]\nlong=" + std::string(5000, 'x') + "\n");
  ProfileFile ini(path);
  EXPECT_EQ(ini.ReadString("s", "long", "").size(), 2047u);
}

TEST_F(ProfileFileTest, DoublesUseTheSystemSeparatorAndReadBackUnderEither) {
  ProfileFile ini(path);
  SetSystemDecimalSeparator(',');
  ini.WriteFloat("defaults", "Тзи", 2.5);
  EXPECT_EQ(ReadBytes(path), Cp("[defaults]\r\nТзи=2,5\r\n"));
  EXPECT_DOUBLE_EQ(ini.ReadFloat("defaults", "Тзи", 0), 2.5);
  SetSystemDecimalSeparator('.');
  EXPECT_DOUBLE_EQ(ini.ReadFloat("defaults", "Тзи", 0), 2.5);  // the file moved to another locale
  ini.WriteFloat("defaults", "Тзи", 0.75);
  EXPECT_EQ(ReadBytes(path), Cp("[defaults]\r\nТзи=0.75\r\n"));
}

TEST_F(ProfileFileTest, LineFeedsInValuesCannotSplitTheLine) {
  ProfileFile ini(path);
  ini.WriteString("s", "k", "a\nb\r\nc");
  EXPECT_EQ(ini.ReadString("s", "k", ""), "a b  c");
}

TEST_F(ProfileFileTest, AReadOnlyFileRaisesTheErrorWithThePathAndStaysAsItWas) {
  WriteBytes(path, "[s]\nk=1\n");
  ::chmod(path.c_str(), 0444);
  ProfileFile ini(path);
  try {
    ini.WriteInteger("s", "k", 2);
    FAIL() << "no error";
  } catch (const UserError& e) {
    EXPECT_EQ(std::string(e.what()), "Не удалось записать файл " + path);
  }
  EXPECT_EQ(ReadBytes(path), "[s]\nk=1\n");
}

TEST_F(ProfileFileTest, AFolderThatCannotBeWrittenRaisesTheError) {
  std::filesystem::create_directory(dir.Path() / "ro");
  std::string inside = dir.File("ro/Tornel.ini");
  ::chmod(dir.File("ro").c_str(), 0555);
  ProfileFile ini(inside);
  EXPECT_THROW(ini.WriteInteger("s", "k", 2), UserError);
  EXPECT_FALSE(std::filesystem::exists(inside));
}

TEST_F(ProfileFileTest, WritesLeaveNoTemporaryFilesAndKeepTheFileMode) {
  WriteBytes(path, "[s]\n");
  ::chmod(path.c_str(), 0640);
  ProfileFile ini(path);
  for (int i = 0; i < 5; ++i) ini.WriteInteger("s", "k" + std::to_string(i), i);
  int entries = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.Path())) ++entries;
  EXPECT_EQ(entries, 1);
  struct stat st {};
  ::stat(path.c_str(), &st);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
}

TEST_F(ProfileFileTest, ABatchReplacesTheFileOnceAtTheCommit) {
  WriteBytes(path, "[s]\nk=0\n");
  ProfileFile ini(path);
  ini.BeginBatch();
  ini.WriteInteger("s", "k", 1);
  ini.WriteInteger("s", "j", 2);
  EXPECT_EQ(ReadBytes(path), "[s]\nk=0\n");
  EXPECT_EQ(ini.ReadInteger("s", "j", 0), 2);  // reads see the pending writes
  ini.CommitBatch();
  EXPECT_EQ(ReadBytes(path), "[s]\nk=1\nj=2\n");
}

TEST_F(ProfileFileTest, SeesWhatAnotherWriterPutInTheFile) {
  ProfileFile a(path);
  ProfileFile b(path);
  a.WriteInteger("s", "x", 1);
  b.WriteInteger("s", "y", 2);  // b must not drop a's key
  a.WriteInteger("s", "z", 3);
  ProfileFile c(path);
  EXPECT_EQ(c.ReadInteger("s", "x", 0), 1);
  EXPECT_EQ(c.ReadInteger("s", "y", 0), 2);
  EXPECT_EQ(c.ReadInteger("s", "z", 0), 3);
}

TEST_F(ProfileFileTest, AFileWithoutAFinalLineEndGetsOneBeforeTheNewKey) {
  WriteBytes(path, "[s]\r\na=1");
  ProfileFile ini(path);
  ini.WriteInteger("s", "b", 2);
  EXPECT_EQ(ReadBytes(path), "[s]\r\na=1\r\nb=2\r\n");
}

}  // namespace
}  // namespace tornel
