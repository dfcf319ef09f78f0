#include "core/static/point_file.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <functional>
#include <string>

#include "core/text/user_error.h"
#include "tests/support/scoped_env.h"
#include "tests/support/temp_dir.h"

namespace tornel {
namespace {

using testing::ReadBytes;
using testing::ScopedEnv;
using testing::TempDir;

// Point k holds k in every ADC word and -k, k + 256 as the DAC levels.
StaticPoint Numbered(int16_t k) {
  StaticPoint p;
  p.fill(k);
  p[16] = static_cast<int16_t>(-k);
  p[17] = static_cast<int16_t>(k + 256);
  return p;
}

// The 36 bytes of Numbered(k), little-endian, written out by hand.
std::string NumberedBytes(int16_t k) {
  auto word = [](int16_t v) {
    auto u = static_cast<uint16_t>(v);
    return std::string{static_cast<char>(u & 0xFF), static_cast<char>(u >> 8)};
  };
  std::string bytes;
  for (int i = 0; i < 16; ++i) bytes += word(k);
  return bytes + word(static_cast<int16_t>(-k)) + word(static_cast<int16_t>(k + 256));
}

TEST(PointFile, AppendedPointsAre18LittleEndianWordsEach) {
  TempDir dir;
  PointFile file(dir.File("TrSt0"));
  file.Append(Numbered(1));
  file.Append(Numbered(-2));
  EXPECT_EQ(file.Count(), 2);
  EXPECT_EQ(NumberedBytes(1).substr(32), std::string("\xFF\xFF\x01\x01", 4));
  EXPECT_EQ(ReadBytes(file.Path()), NumberedBytes(1) + NumberedBytes(-2));
}

TEST(PointFile, RemovingAPointMovesTheLaterOnesUpAndShortensTheFile) {
  struct Case {
    int32_t removed;
    std::string left;
  };
  const Case cases[] = {
      {0, NumberedBytes(2) + NumberedBytes(3)},
      {1, NumberedBytes(1) + NumberedBytes(3)},
      {2, NumberedBytes(1) + NumberedBytes(2)},  // the last: nothing moves
  };
  for (const Case& c : cases) {
    TempDir dir;
    PointFile file(dir.File("TrSt0"));
    for (int16_t k = 1; k <= 3; ++k) file.Append(Numbered(k));
    file.Remove(c.removed);
    EXPECT_EQ(file.Count(), 2) << c.removed;
    EXPECT_EQ(ReadBytes(file.Path()), c.left) << c.removed;
    file.Append(Numbered(9));  // lands after what is left
    EXPECT_EQ(ReadBytes(file.Path()), c.left + NumberedBytes(9)) << c.removed;
  }
}

TEST(PointFile, ClearCutsTheFileToNothing) {
  TempDir dir;
  PointFile file(dir.File("TrSt0"));
  file.Append(Numbered(1));
  file.Clear();
  EXPECT_EQ(file.Count(), 0);
  EXPECT_EQ(std::filesystem::file_size(file.Path()), 0u);
}

TEST(PointFile, APointThatCannotBeWrittenIsNotCountedAndSaysWhere) {
  TempDir dir;
  PointFile file(dir.File("missing/TrSt0"));
  try {
    file.Append(Numbered(1));
    FAIL() << "no error";
  } catch (const UserError& e) {
    EXPECT_EQ(std::string(e.what()),
              "Не удалось записать точку в файл " + dir.File("missing/TrSt0"));
  }
  EXPECT_EQ(file.Count(), 0);
}

TEST(PointFile, AFullDiskLeavesTheFileAsItWas) {
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  PointFile file("/dev/full");
  EXPECT_THROW(file.Append(Numbered(1)), UserError);
  EXPECT_EQ(file.Count(), 0);
  file.Release();  // never unlink a device
}

TEST(PointFile, AnAppendOrRemoveThatCannotCompleteLeavesFileAndCountAsTheyWere) {
  struct Case {
    const char* what;
    std::function<void(const std::string& path)> spoil;  // done behind the object's back
    std::function<void(PointFile&)> change;
    std::string message;  // after the path
  };
  const std::string vanished = ": файл удалён или изменён другой программой";
  const Case cases[] = {
      {"append to a deleted file", [](const std::string& p) { std::filesystem::remove(p); },
       [](PointFile& f) { f.Append(Numbered(9)); }, vanished},
      {"append to a cut file", [](const std::string& p) { std::filesystem::resize_file(p, 72); },
       [](PointFile& f) { f.Append(Numbered(9)); }, vanished},
      {"remove from a cut file", [](const std::string& p) { std::filesystem::resize_file(p, 90); },
       [](PointFile& f) { f.Remove(0); }, ""},
      {"remove from a deleted file", [](const std::string& p) { std::filesystem::remove(p); },
       [](PointFile& f) { f.Remove(1); }, ""},
  };
  for (const Case& c : cases) {
    TempDir dir;
    PointFile file(dir.File("TrSt0"));
    for (int16_t k = 1; k <= 3; ++k) file.Append(Numbered(k));
    c.spoil(file.Path());
    const bool existed = std::filesystem::exists(file.Path());
    const std::string before = existed ? ReadBytes(file.Path()) : std::string();
    try {
      c.change(file);
      ADD_FAILURE() << c.what << ": no error";
    } catch (const UserError& e) {
      const char* verb =
          c.message.empty() ? "Не удалось изменить файл " : "Не удалось записать точку в файл ";
      EXPECT_EQ(std::string(e.what()), verb + file.Path() + c.message) << c.what;
    }
    EXPECT_EQ(file.Count(), 3) << c.what;
    EXPECT_EQ(std::filesystem::exists(file.Path()), existed) << c.what;
    if (existed) {
      EXPECT_EQ(ReadBytes(file.Path()), before) << c.what;
    }
  }
}

TEST(PointFile, TheFileIsDeletedWithTheObjectUnlessReleased) {
  TempDir dir;
  std::string kept;
  {
    PointFile dropped(dir.File("a"));
    dropped.Append(Numbered(1));
    PointFile handed(dir.File("b"));
    handed.Append(Numbered(1));
    kept = handed.Release();
    EXPECT_TRUE(handed.Path().empty());
  }
  EXPECT_FALSE(std::filesystem::exists(dir.File("a")));
  EXPECT_EQ(kept, dir.File("b"));
  EXPECT_EQ(ReadBytes(kept), NumberedBytes(1));
}

TEST(PointFile, TemporaryNamesComeFromTmpAndNeverReplaceAFile) {
  TempDir dir;
  ScopedEnv tmp("TMP", dir.Path().string());
  PointFile first = PointFile::CreateTemporary();
  PointFile second = PointFile::CreateTemporary();

  for (const PointFile* f : {&first, &second}) {
    std::filesystem::path p(f->Path());
    EXPECT_EQ(p.parent_path(), dir.Path());
    EXPECT_EQ(p.filename().string().rfind("TrSt", 0), 0u) << p;
    EXPECT_TRUE(std::filesystem::exists(p));
  }
  EXPECT_NE(first.Path(), second.Path());
}

}  // namespace
}  // namespace tornel
