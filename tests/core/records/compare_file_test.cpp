#include "core/records/compare_file.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "core/text/user_error.h"
#include "tests/core/records/hand_file.h"
#include "tests/core/records/scoped_tmpdir.h"
#include "tests/support/temp_dir.h"

namespace tornel {
namespace {

using testing::HandFile;
using testing::kSamples;
using testing::Layout;
using testing::ReadBytes;
using testing::ScopedTmpDir;
using testing::TempDir;
using testing::WriteBytes;
namespace fs = std::filesystem;

class CompareFile : public ::testing::Test {
protected:
  std::string ErrorOf(const std::string& path, MaskPair recorded) {
    try {
      std::string copy = LoadCompareFile(path, recorded);
      fs::remove(copy);
    } catch (const UserError& e) {
      return e.what();
    }
    return "";
  }
  bool TmpEmpty() const { return fs::directory_iterator(tmp_.Path()) == fs::directory_iterator(); }

  TempDir tmp_;
  TempDir dir_;  // made before TMPDIR moves into tmp_
  ScopedTmpDir tmpdir_{tmp_.Path().string()};
};

TEST_F(CompareFile, MatchingFileGivesANewCopyOfItsSamples) {
  WriteBytes(dir_.File("c.dta"), HandFile().Str() + "\x01");
  const std::string copy = LoadCompareFile(dir_.File("c.dta"), {0b11, 0b1});
  EXPECT_EQ(fs::path(copy).parent_path(), tmp_.Path());
  EXPECT_EQ(fs::path(copy).filename().string().substr(0, 3), "Trn");
  EXPECT_EQ(ReadBytes(copy), kSamples);
  const std::string second = LoadCompareFile(dir_.File("c.dta"), {0b11, 0b1});
  EXPECT_NE(second, copy);
}

TEST_F(CompareFile, ARecordOfDoublesGetsPerUnitValues) {
  // The hand file's frames (511, -511, 100) and (0, 1, -1) on ADC 1, ADC 2
  // and DAC 1, whose Base / RealBase are 1 / 0.5, 2 / 1 and 17 / 8.5: every
  // channel shows code / 511 * 2.
  WriteBytes(dir_.File("c.dta"), HandFile().Str() + "\x01");
  const std::string copy = LoadCompareFile(dir_.File("c.dta"), {0b11, 0b1}, SampleFormat::Float64);
  const std::string bytes = ReadBytes(copy);
  ASSERT_EQ(bytes.size(), 6u * 8);
  double v[6];
  std::memcpy(v, bytes.data(), sizeof v);
  const double expected[6] = {2.0, -2.0, 200.0 / 511, 0.0, 2.0 / 511, -2.0 / 511};
  for (int i = 0; i < 6; ++i) EXPECT_DOUBLE_EQ(v[i], expected[i]) << i;
}

TEST_F(CompareFile, OtherRecordedChannelsAreAMismatch) {
  Layout layout;
  std::string bytes = HandFile(&layout).Str();
  WriteBytes(dir_.File("c.dta"), bytes);
  EXPECT_EQ(ErrorOf(dir_.File("c.dta"), {0b11, 0b0}), "Несоответствие\n" + dir_.File("c.dta"));
  EXPECT_EQ(ErrorOf(dir_.File("c.dta"), {0b111, 0b1}), "Несоответствие\n" + dir_.File("c.dta"));
  bytes[layout.masks + 2] = '\x03';  // the file's DAC mask
  WriteBytes(dir_.File("d.dta"), bytes);
  EXPECT_EQ(ErrorOf(dir_.File("d.dta"), {0b11, 0b1}), "Несоответствие\n" + dir_.File("d.dta"));
  EXPECT_EQ(ErrorOf(dir_.File("d.dta"), {0b11, 0b11}), "");
  // Show masks do not matter.
  bytes[layout.masks + 4] = '\0';
  WriteBytes(dir_.File("e.dta"), bytes);
  EXPECT_EQ(ErrorOf(dir_.File("e.dta"), {0b11, 0b11}), "");
  EXPECT_TRUE(TmpEmpty());
}

TEST_F(CompareFile, SignatureDamageAndMissingFileAreReported) {
  WriteBytes(dir_.File("other.dta"), "not a data file at all, really");
  EXPECT_EQ(ErrorOf(dir_.File("other.dta"), {0b11, 0b1}),
            "Файл создан другой программой\n" + dir_.File("other.dta"));
  std::string cut = HandFile().Str().substr(0, 26);  // inside the first name
  WriteBytes(dir_.File("cut.dta"), cut);
  EXPECT_EQ(ErrorOf(dir_.File("cut.dta"), {0b11, 0b1}), "Файл повреждён\n" + dir_.File("cut.dta"));
  EXPECT_EQ(ErrorOf(dir_.File("none.dta"), {0b11, 0b1}),
            "Не удалось открыть файл " + dir_.File("none.dta"));
  EXPECT_TRUE(TmpEmpty());
}

}  // namespace
}  // namespace tornel
