#include "core/records/leftover_recording.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "core/records/graph_record.h"
#include "core/records/recovery_note.h"
#include "core/records/unsaved_recording.h"
#include "tests/support/temp_dir.h"

namespace tornel {
namespace {

using testing::TempDir;
using testing::WriteBytes;
namespace fs = std::filesystem;

// No process has this number (above the kernel's pid limit).
constexpr int64_t kDeadPid = 99999999;

RecoveryNote TransientNote() {
  RecoveryNote note;
  note.Kind = RecordingKind::Transient;
  note.Date = 46000.0;
  note.Time = 0.25;
  note.ChanName[0] = "Скорость = n";
  note.ChanUnit[0] = "об/мин";
  note.ChanName[16] = "Задание";
  note.Base[0] = 1500.0;
  note.RealBase[0] = 1000.0;
  note.Offset[0] = -3;
  note.AcpMask = 0x0005;  // two ADC channels
  note.CapMask = 0x0001;  // and one DAC: 3 values, 6 bytes a frame
  note.CapCount = 2;
  note.Duration = 10.0;
  note.DriveCap = true;
  note.Delay[0] = 0.5;
  note.RiseTime[0] = 0.125;
  note.Amplitude[0] = -200;
  note.RateElapsedMs = 1000;
  note.RateCount = 250;
  return note;
}

// What a killed process leaves: the samples and the note, nobody's lock.
void LeaveCrash(const std::string& sample, const RecoveryNote& note, std::size_t bytes) {
  WriteBytes(sample, std::string(bytes, '\x01'));
  RecoveryNote dead = note;
  dead.Pid = kDeadPid;
  dead.Write(NotePathFor(sample));
}

TEST(RecoveryNoteTest, RoundTripKeepsEveryField) {
  TempDir dir;
  RecoveryNote note = TransientNote();
  note.Finished = true;
  note.ElapsedMs = 9999;
  note.Count = 4321;
  note.Pid = 77;
  note.Write(dir.File("n.note"));
  auto back = RecoveryNote::Read(dir.File("n.note"));
  ASSERT_TRUE(back);
  EXPECT_EQ(back->Kind, RecordingKind::Transient);
  EXPECT_EQ(back->Pid, 77);
  EXPECT_EQ(back->Date, 46000.0);
  EXPECT_EQ(back->Time, 0.25);
  EXPECT_EQ(back->ChanName[0], "Скорость = n");
  EXPECT_EQ(back->ChanUnit[0], "об/мин");
  EXPECT_EQ(back->ChanName[16], "Задание");
  EXPECT_EQ(back->Base[0], 1500.0);
  EXPECT_EQ(back->RealBase[0], 1000.0);
  EXPECT_EQ(back->Offset[0], -3);
  EXPECT_EQ(back->AcpMask, 0x0005);
  EXPECT_EQ(back->CapMask, 0x0001);
  EXPECT_EQ(back->CapCount, 2);
  EXPECT_TRUE(back->DriveCap);
  EXPECT_EQ(back->Delay[0], 0.5);
  EXPECT_EQ(back->RiseTime[0], 0.125);
  EXPECT_EQ(back->Amplitude[0], -200);
  EXPECT_TRUE(back->Finished);
  EXPECT_EQ(back->ElapsedMs, 9999u);
  EXPECT_EQ(back->Count, 4321);
  // Only the note itself is left: its sibling was renamed over it.
  EXPECT_FALSE(fs::exists(dir.File("n.note.new")));
}

TEST(RecoveryNoteTest, AnythingButANoteIsNone) {
  TempDir dir;
  WriteBytes(dir.File("a"), "TornelAD recovery note 1\nKind=transient\n");  // cut short
  WriteBytes(dir.File("b"), "some other file\n");
  EXPECT_FALSE(RecoveryNote::Read(dir.File("a")));
  EXPECT_FALSE(RecoveryNote::Read(dir.File("b")));
  EXPECT_FALSE(RecoveryNote::Read(dir.File("missing")));
}

TEST(RecoveryNoteTest, DurationComesFromTheScansPresent) {
  RecoveryNote unfinished = TransientNote();  // 250 scans a second
  RecoveryNote finished = TransientNote();
  finished.Finished = true;
  finished.ElapsedMs = 2000;
  finished.Count = 400;  // 5 ms a scan
  RecoveryNote early = TransientNote();
  early.RateCount = 0;
  RecoveryNote points = TransientNote();
  points.Kind = RecordingKind::Static;
  struct Case {
    const RecoveryNote& note;
    int64_t frames;
    double seconds;
  } cases[] = {
      {unfinished, 0, 0.0}, {unfinished, 250, 1.0}, {unfinished, 101, 0.404},  // 404 ms
      {finished, 400, 2.0}, {finished, 399, 1.995}, {early, 10, 0.0},         {points, 7, 7.0},
  };
  for (const auto& c : cases) {
    EXPECT_DOUBLE_EQ(c.note.DurationFor(c.frames), c.seconds) << c.frames;
  }
}

TEST(RecordingLockTest, OneHolderAtATimeUntilItLetsGo) {
  TempDir dir;
  WriteBytes(dir.File("s"), "");
  auto first = RecordingLock::TryTake(dir.File("s"));
  ASSERT_TRUE(first);
  EXPECT_FALSE(RecordingLock::TryTake(dir.File("s")));
  first.reset();
  EXPECT_TRUE(RecordingLock::TryTake(dir.File("s")));
  EXPECT_FALSE(RecordingLock::TryTake(dir.File("missing")));
}

TEST(LeftoverRecordingTest, RecordingCutAtAnyByteKeepsWholeFrames) {
  for (std::size_t bytes : {0u, 1u, 5u, 6u, 7u, 11u, 12u, 601u}) {
    TempDir dir;
    LeaveCrash(dir.File("Trn0"), TransientNote(), bytes);
    auto found = FindLeftoverRecordings({dir.Path().string()});
    ASSERT_EQ(found.size(), 1u) << bytes;
    EXPECT_EQ(found[0].Frames, static_cast<int64_t>(bytes / 6)) << bytes;
  }
}

TEST(LeftoverRecordingTest, ALiveOwnerKeepsItsRecording) {
  TempDir dir;
  WriteBytes(dir.File("Trn0"), std::string(60, '\0'));
  auto owner = UnsavedRecording::Begin(dir.File("Trn0"), TransientNote());
  ASSERT_TRUE(owner->Noted());
  EXPECT_EQ(RecoveryNote::Read(dir.File("Trn0.note"))->Pid, CurrentProcessId());
  EXPECT_TRUE(FindLeftoverRecordings({dir.Path().string()}).empty());
  // Once one instance has found it, a second does not.
  owner.reset();
  LeaveCrash(dir.File("Trn1"), TransientNote(), 60);
  auto first = FindLeftoverRecordings({dir.Path().string()});
  EXPECT_EQ(first.size(), 1u);
  EXPECT_TRUE(FindLeftoverRecordings({dir.Path().string()}).empty());
}

TEST(LeftoverRecordingTest, ANoteWithoutSamplesIsDeletedAndOneFolderIsLookedAtOnce) {
  TempDir dir;
  TransientNote().Write(dir.File("Trn5.note"));
  LeaveCrash(dir.File("Trn6"), TransientNote(), 6);
  auto found = FindLeftoverRecordings({dir.Path().string(), dir.Path().string() + "/."});
  EXPECT_EQ(found.size(), 1u);
  EXPECT_FALSE(fs::exists(dir.File("Trn5.note")));
}

TEST(LeftoverRecordingTest, RestoredRecordOwnsSamplesAndNoteUntilSavedOrClosed) {
  TempDir dir;
  LeaveCrash(dir.File("Trn0"), TransientNote(), 6 * 500);  // 2 s at 250 a second
  {
    TGraphRecord record;
    auto found = FindLeftoverRecordings({dir.Path().string()});
    ASSERT_EQ(found.size(), 1u);
    RestoreRecord(std::move(found[0]), record);
    EXPECT_EQ(record.ChanName[0], "Скорость = n");
    EXPECT_EQ(record.Base[0], 1500.0);
    EXPECT_DOUBLE_EQ(record.Duration, 2.0);
    EXPECT_DOUBLE_EQ(record.TMax, 2.0);
    EXPECT_EQ(record.AcpMask, 0x0005);
    EXPECT_EQ(record.CapMask, 0x0001);
    EXPECT_EQ(record.AcpShowMask, 0x0005);
    EXPECT_FALSE(record.IsStatic);
    EXPECT_EQ(record.FrameCount, 500);
    // Now this process owns it: nobody else may take it.
    EXPECT_EQ(RecoveryNote::Read(dir.File("Trn0.note"))->Pid, CurrentProcessId());
    EXPECT_TRUE(FindLeftoverRecordings({dir.Path().string()}).empty());
    record.SaveDta(dir.File("out.dta"));
    EXPECT_FALSE(fs::exists(dir.File("Trn0.note")));
    EXPECT_TRUE(fs::exists(dir.File("Trn0")));
  }
  EXPECT_FALSE(fs::exists(dir.File("Trn0")));
  EXPECT_TRUE(fs::exists(dir.File("out.dta")));
}

TEST(LeftoverRecordingTest, StaticPointFileComesBackAsAStaticRecord) {
  TempDir dir;
  RecoveryNote note = TransientNote();
  note.Kind = RecordingKind::Static;
  note.AcpMask = 0xFFFF;
  note.CapMask = 3;
  LeaveCrash(dir.File("TrSt0"), note, 36 * 3 + 10);
  TGraphRecord record;
  auto found = FindLeftoverRecordings({dir.Path().string()});
  ASSERT_EQ(found.size(), 1u);
  RestoreRecord(std::move(found[0]), record);
  EXPECT_TRUE(record.IsStatic);
  EXPECT_DOUBLE_EQ(record.Duration, 3.0);
  EXPECT_EQ(record.AcpShowMask, 0);
  record.DestroyRecord();
  EXPECT_FALSE(fs::exists(dir.File("TrSt0")));
  EXPECT_FALSE(fs::exists(dir.File("TrSt0.note")));
}

TEST(LeftoverRecordingTest, DiscardDeletesNoteAndSamples) {
  TempDir dir;
  LeaveCrash(dir.File("Trn0"), TransientNote(), 12);
  auto found = FindLeftoverRecordings({dir.Path().string()});
  ASSERT_EQ(found.size(), 1u);
  DiscardLeftover(std::move(found[0]));
  EXPECT_TRUE(fs::is_empty(dir.Path()));
}

}  // namespace
}  // namespace tornel
