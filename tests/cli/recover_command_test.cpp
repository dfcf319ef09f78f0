#include "cli/recover_command.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "core/records/graph_record.h"
#include "core/records/recovery_note.h"
#include "tests/support/temp_dir.h"

namespace tornel::cli {
namespace {

using testing::TempDir;
namespace fs = std::filesystem;

struct Outcome {
  int code;
  std::string out, err;
};

Outcome Recover(const TempDir& dir, std::vector<std::string> args) {
  std::ostringstream out, err;
  int code = RecoverCommand(args, out, err, {dir.File("tmp")});
  return {code, out.str(), err.str()};
}

TEST(RecoverCommandTest, ListsThenWritesTheScansPresentAsADataFile) {
  TempDir dir;
  fs::create_directory(dir.File("tmp"));
  fs::create_directory(dir.File("out"));
  std::string folder = dir.File("tmp");
  testing::WriteBytes(folder + "/Trn7", std::string("\1\0\2\0\3\0\4\0\5\0\6\0\7", 13));
  RecoveryNote note;
  note.Pid = 99999999;
  note.ChanName[0] = "Ток";
  note.ChanName[1] = "Скорость";
  note.AcpMask = 0x0003;
  note.RateElapsedMs = 1000;
  note.RateCount = 500;  // 2 ms a scan
  note.Write(folder + "/Trn7.note");

  Outcome listed = Recover(dir, {"recover", "--list"});
  EXPECT_EQ(listed.code, 0);
  EXPECT_NE(listed.out.find("переходная"), std::string::npos) << listed.out;
  EXPECT_NE(listed.out.find("6 мс"), std::string::npos) << listed.out;
  EXPECT_NE(listed.out.find("Ток, Скорость"), std::string::npos) << listed.out;
  EXPECT_TRUE(fs::exists(folder + "/Trn7.note"));

  Outcome written = Recover(dir, {"recover", "-o", dir.File("out")});
  ASSERT_EQ(written.code, 0) << written.err;
  TGraphRecord record;
  record.LoadDta(dir.File("out/Trn7.dta"));
  record.RecountRecord();
  EXPECT_EQ(record.ChanName[1], "Скорость");
  EXPECT_EQ(record.AcpMask, 0x0003);
  EXPECT_EQ(record.FrameCount, 3);
  EXPECT_DOUBLE_EQ(record.Duration, 0.006);
  EXPECT_TRUE(fs::is_empty(folder));
}

TEST(RecoverCommandTest, AFolderThatTakesNoFileKeepsTheRecording) {
  TempDir dir;
  fs::create_directory(dir.File("tmp"));
  std::string folder = dir.File("tmp");
  testing::WriteBytes(folder + "/Trn1", std::string(4, '\0'));
  RecoveryNote note;
  note.Pid = 99999999;
  note.AcpMask = 0x0001;
  note.Write(folder + "/Trn1.note");
  Outcome failed = Recover(dir, {"recover", "-o", dir.File("missing/folder")});
  EXPECT_EQ(failed.code, 1);
  EXPECT_TRUE(fs::exists(folder + "/Trn1"));
  EXPECT_TRUE(fs::exists(folder + "/Trn1.note"));
}

TEST(RecoverCommandTest, NothingToRecoverIsSaidSo) {
  TempDir dir;
  fs::create_directory(dir.File("tmp"));
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"recover", "--list"}, {"recover", "-o", dir.File("tmp")}}) {
    Outcome none = Recover(dir, args);
    EXPECT_EQ(none.code, 0);
    EXPECT_EQ(none.out, "Несохранённых записей нет\n") << args.back();
    EXPECT_EQ(none.err, "");
  }
}

TEST(RecoverCommandTest, StaticRecordingsCountTheirPointsInRussian) {
  TempDir dir;
  fs::create_directory(dir.File("tmp"));
  const std::pair<int, const char*> cases[] = {
      {1, "\t1 точка\t"}, {3, "\t3 точки\t"}, {11, "\t11 точек\t"}, {22, "\t22 точки\t"}};
  for (const auto& [points, text] : cases) {
    const std::string sample = dir.File("tmp/TrSt" + std::to_string(points));
    testing::WriteBytes(sample, std::string(2u * points, '\0'));  // one channel a point
    RecoveryNote note;
    note.Pid = 99999999;
    note.Kind = RecordingKind::Static;
    note.AcpMask = 0x0001;
    note.Write(sample + ".note");
  }
  Outcome listed = Recover(dir, {"recover", "--list"});
  EXPECT_EQ(listed.code, 0);
  for (const auto& [points, text] : cases) {
    EXPECT_NE(listed.out.find(text), std::string::npos) << text << " in\n" << listed.out;
  }
}

}  // namespace
}  // namespace tornel::cli
