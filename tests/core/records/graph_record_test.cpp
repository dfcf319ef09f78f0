#include "core/records/graph_record.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>

#include "core/records/temp_file.h"
#include "core/text/user_error.h"
#include "tests/core/records/scoped_tmpdir.h"
#include "tests/support/temp_dir.h"

namespace tornel {
namespace {

using testing::ReadBytes;
using testing::ScopedTmpDir;
using testing::TempDir;
using testing::WriteBytes;
namespace fs = std::filesystem;

TEST(GraphRecord, InitRecordTakesTableColoursAndClock) {
  TempDir dir;
  ChannelTable table;
  table.ConfigPath = dir.File("Tornel.ini");
  table.ChanName[3] = "Ток";
  table.ChanUnit[3] = "кА";
  table.Base[20] = 7.5;
  table.RealBase[20] = 2.5;
  WriteBytes(table.ConfigPath,
             "[Colors]\r\ncolor1=clRed\r\ncolor2=$00123456\r\ncolor4=nonsense\r\n"
             "CAP_color3=clBtnFace\r\nfuncs_color8=clNone\r\nfuncs_color1=clWhite\r\n");
  setenv("TZ", "UTC", 1);
  tzset();
  using namespace std::chrono;
  const auto now = sys_days{year{2024} / March / 15} + hours{13} + minutes{30};

  TGraphRecord r;
  r.AcpMask = 5;
  r.Comments = {"old"};
  r.InitRecord(table, now);

  EXPECT_EQ(r.ChanName[3], "Ток");
  EXPECT_EQ(r.ChanUnit[3], "кА");
  EXPECT_EQ(r.Base[20], 7.5);
  EXPECT_EQ(r.RealBase[20], 2.5);
  EXPECT_EQ(r.ChanColor[0], 0x0000FFu);
  EXPECT_EQ(r.ChanColor[1], 0x123456u);
  EXPECT_EQ(r.ChanColor[2], 0x008080u);  // missing: clOlive
  EXPECT_EQ(r.ChanColor[3], 0x800000u);  // unreadable: clNavy
  EXPECT_EQ(r.ChanColor[16], 0x000080u);
  EXPECT_EQ(r.ChanColor[18], 0x8000000Fu);
  EXPECT_EQ(r.ChanColor[31], 0x000000u);
  EXPECT_EQ(r.DepColor[0], 0xFFFFFFu);
  EXPECT_EQ(r.DepColor[1], 0x008000u);
  EXPECT_EQ(r.DepColor[7], 0x1FFFFFFFu);
  EXPECT_EQ(r.ExprColor[0], 0u);
  // 15 Mar 2024 is day 45366 of the 1899 epoch; 13:30 is 0.5625 of a day.
  EXPECT_EQ(r.Date, 45366.0);
  EXPECT_DOUBLE_EQ(r.Time, 0.5625);

  EXPECT_EQ(r.AcpMask, 0);
  EXPECT_TRUE(r.Comments.empty());
  EXPECT_EQ(r.DivX, 5);
  EXPECT_EQ(r.DivY, 6);
  EXPECT_EQ(r.FullScale, 511.0);
  EXPECT_EQ(r.YMax, 1.9);
  EXPECT_EQ(r.YMin, -1.9);
  EXPECT_EQ(r.XMax, 1.9);
  EXPECT_EQ(r.XMin, -1.9);
  EXPECT_EQ(r.TMax, 0.0);
  EXPECT_EQ(r.Duration, 0.0);
  EXPECT_FALSE(r.IsStatic);
  EXPECT_EQ(r.Samples, SampleFormat::Int16);
  EXPECT_TRUE(r.SampleFile.empty());
  for (const auto& d : r.Deps) EXPECT_EQ(d, Dependency{});
}

TEST(GraphRecord, RecountCountsChannelsAndWholeFrames) {
  TempDir dir;
  struct Case {
    uint16_t acp, cap;
    SampleFormat format;
    std::size_t fileBytes;  // npos: no file
    int acpCount, capCount;
    double frames;
  } cases[] = {
      {0b101, 0b1, SampleFormat::Int16, 13, 2, 1, 2},  // 13 / 6
      {0b101, 0b1, SampleFormat::Int16, 12, 2, 1, 2},
      {0b101, 0b1, SampleFormat::Int16, 5, 2, 1, 0},
      {0xFFFF, 0x3, SampleFormat::Int16, 36 * 10, 16, 2, 10},
      {0b11, 0, SampleFormat::Float64, 50, 2, 0, 3},              // 50 / 16
      {0b1, 0, SampleFormat::Int16, std::string::npos, 1, 0, 7},  // unreadable: kept
      {0, 0, SampleFormat::Int16, 100, 0, 0, 7},                  // nothing recorded: not opened
  };
  int i = 0;
  for (const auto& c : cases) {
    TGraphRecord r;
    r.AcpMask = c.acp;
    r.CapMask = c.cap;
    r.Samples = c.format;
    r.FrameCount = 7;
    r.SampleFile = dir.File("s" + std::to_string(i++));
    if (c.fileBytes != std::string::npos) WriteBytes(r.SampleFile, std::string(c.fileBytes, '\1'));
    r.RecountRecord();
    EXPECT_EQ(r.RecAcpCount, c.acpCount);
    EXPECT_EQ(r.RecCapCount, c.capCount);
    EXPECT_EQ(r.RecChannelCount, c.acpCount + c.capCount);
    EXPECT_EQ(r.FrameCount, c.frames) << c.acp << " " << c.fileBytes;
    r.SampleFile.clear();
  }
}

TEST(GraphRecord, RecountSetsHasDepsFromEnabledDependencies) {
  TGraphRecord r;
  r.RecountRecord();
  EXPECT_FALSE(r.HasDeps);
  r.Deps[6].Enabled = 1;
  r.RecountRecord();
  EXPECT_TRUE(r.HasDeps);
}

TEST(GraphRecord, PositionToSlotWalksAdcThenDacMask) {
  struct Case {
    uint16_t acp, cap;
    int position, slot;
  } cases[] = {
      {0b10010, 0b1, 0, 1},     {0b10010, 0b1, 1, 4}, {0b10010, 0b1, 2, 16}, {0b10010, 0b1, 3, -1},
      {0b10010, 0b1, -1, -1},   {0, 0b101, 0, 16},    {0, 0b101, 1, 18},     {0xFFFF, 0, 15, 15},
      {0xFFFF, 0x8000, 16, 31}, {0, 0, 0, -1},
  };
  for (const auto& c : cases) {
    TGraphRecord r;
    r.AcpMask = c.acp;
    r.CapMask = c.cap;
    EXPECT_EQ(r.PositionToSlot(c.position), c.slot) << c.acp << "/" << c.cap << " p" << c.position;
    if (c.slot >= 0) {
      EXPECT_EQ(r.SlotToPosition(c.slot), c.position);
    }
  }
  TGraphRecord r;
  r.AcpMask = 0b10010;
  EXPECT_EQ(r.SlotToPosition(0), -1);
  EXPECT_EQ(r.SlotToPosition(16), -1);
}

TEST(GraphRecord, DepChannelMaskCollectsEnabledAxesAndShownChannels) {
  // ADC 2, ADC 5 and DAC 1 recorded; dependency ADC 5 (ordinate) over DAC 1.
  TGraphRecord r;
  r.AcpMask = 0b10010;
  r.CapMask = 0b1;
  r.AcpShowMask = 0b10;
  r.Deps[2] = {1, 2, 1};
  r.Deps[3] = {0, 0, 0};   // disabled
  r.Deps[4] = {1, 9, -1};  // positions nobody records
  EXPECT_EQ(r.DepChannelMask(Axis::X), (MaskPair{0, 0b1}));
  EXPECT_EQ(r.DepChannelMask(Axis::Y), (MaskPair{0b10010, 0}));
  r.Deps[2].Enabled = 0;
  EXPECT_EQ(r.DepChannelMask(Axis::X), (MaskPair{0, 0}));
  EXPECT_EQ(r.DepChannelMask(Axis::Y), (MaskPair{0b10, 0}));
}

TEST(GraphRecord, MakeTempNameReservesNewFilesInTheTempFolder) {
  TempDir dir;
  ScopedTmpDir tmp(dir.Path().string());
  std::string a = TGraphRecord::MakeTempName();
  std::string b = TGraphRecord::MakeTempName();
  EXPECT_NE(a, b);
  for (const auto& name : {a, b}) {
    fs::path p(name);
    EXPECT_EQ(p.parent_path(), dir.Path());
    const std::string file = p.filename().string();
    ASSERT_GT(file.size(), 3u);
    EXPECT_EQ(file.substr(0, 3), "Trn");
    EXPECT_EQ(file.find_first_not_of("0123456789", 3), std::string::npos) << file;
    EXPECT_TRUE(fs::exists(p));
    EXPECT_EQ(fs::file_size(p), 0u);
  }
}

TEST(GraphRecord, MakeTempNameFailsWithMessageWhenFolderTakesNoFiles) {
  // Not even root can create a regular file in /proc.
  ScopedTmpDir tmp("/proc");
  try {
    TGraphRecord::MakeTempName();
    ADD_FAILURE() << "no error";
  } catch (const UserError& e) {
    EXPECT_EQ(std::string(e.what()).rfind("Не удалось создать файл /proc/Trn", 0), 0u) << e.what();
  }
}

// Gives r owned files: OrigFile, FilteredFile and one comparison copy.
void GiveFiles(TGraphRecord& r) {
  r.OrigFile = r.SampleFile = TGraphRecord::MakeTempName();
  r.FilteredFile = r.OrigFile + "f";
  WriteBytes(r.FilteredFile, "f");
  r.CompareTemp[3] = TGraphRecord::MakeTempName();
}

TEST(GraphRecord, EachRecordDeletesOnlyItsOwnFiles) {
  TempDir dir;
  ScopedTmpDir tmp(dir.Path().string());
  auto first = std::make_unique<TGraphRecord>();
  TGraphRecord second;
  GiveFiles(*first);
  GiveFiles(second);
  const std::string own[] = {first->OrigFile, first->FilteredFile, first->CompareTemp[3]};
  first.reset();
  for (const auto& f : own) EXPECT_FALSE(fs::exists(f)) << f;
  EXPECT_TRUE(fs::exists(second.OrigFile));
  EXPECT_TRUE(fs::exists(second.FilteredFile));
  EXPECT_TRUE(fs::exists(second.CompareTemp[3]));
  second.DestroyRecord();
  EXPECT_TRUE(second.OrigFile.empty());
  EXPECT_TRUE(second.SampleFile.empty());
  EXPECT_TRUE(second.CompareTemp[3].empty());
  EXPECT_EQ(fs::directory_iterator(dir.Path()), fs::directory_iterator());
}

TEST(GraphRecord, MovingHandsTheFilesOver) {
  TempDir dir;
  ScopedTmpDir tmp(dir.Path().string());
  TGraphRecord target;
  GiveFiles(target);
  const std::string replaced = target.OrigFile;
  std::string orig;
  {
    TGraphRecord source;
    GiveFiles(source);
    orig = source.OrigFile;
    target = std::move(source);
    EXPECT_TRUE(source.OrigFile.empty());
  }
  EXPECT_FALSE(fs::exists(replaced));  // the target's old files went with its old content
  EXPECT_EQ(target.OrigFile, orig);
  EXPECT_EQ(target.SampleFile, orig);
  EXPECT_TRUE(fs::exists(orig));
  TGraphRecord moved(std::move(target));
  EXPECT_TRUE(fs::exists(orig));
  EXPECT_EQ(moved.OrigFile, orig);
}

TEST(GraphRecord, SampleFileAloneIsNeverDeleted) {
  TempDir dir;
  const std::string data = dir.File("data.bin");
  WriteBytes(data, "keep");
  {
    TGraphRecord r;
    r.SampleFile = data;
  }
  EXPECT_EQ(ReadBytes(data), "keep");
}

TEST(GraphRecord, InitRecordDeletesTheFilesOfThePreviousContent) {
  TempDir dir;
  ScopedTmpDir tmp(dir.Path().string());
  TGraphRecord r;
  GiveFiles(r);
  const std::string orig = r.OrigFile;
  ChannelTable table;
  table.ConfigPath = dir.File("none.ini");
  r.InitRecord(table);
  EXPECT_FALSE(fs::exists(orig));
  EXPECT_TRUE(r.OrigFile.empty());
}

}  // namespace
}  // namespace tornel

namespace tornel {
namespace {

// Regression: removing an owned name unlinked whatever stood there, so a
// file name pointed at a device (/dev/full) or a pipe would have removed it
// when run as root.
TEST(RemoveFileIfExists, RemovesRegularFilesOnly) {
  testing::TempDir dir;
  const std::string file = dir.File("Trn1");
  const std::string pipe = dir.File("pipe");
  const std::string folder = dir.File("folder");
  testing::WriteBytes(file, "x");
  ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
  std::filesystem::create_directory(folder);

  RemoveFileIfExists(file);
  RemoveFileIfExists(pipe);
  RemoveFileIfExists(folder);
  RemoveFileIfExists(dir.File("missing"));
  RemoveFileIfExists("");

  EXPECT_FALSE(std::filesystem::exists(file));
  EXPECT_TRUE(std::filesystem::exists(pipe));
  EXPECT_TRUE(std::filesystem::exists(folder));
}

}  // namespace
}  // namespace tornel
