#include "cli/record_command.h"

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <sstream>
#include <thread>

#include "cli/recover_command.h"
#include "core/records/graph_record.h"
#include "core/records/recovery_note.h"
#include "tests/support/temp_dir.h"

namespace tornel::cli {
namespace {

using testing::TempDir;
namespace fs = std::filesystem;

TEST(RecordCommandTest, BadWordsAreRefusedBeforeAnythingRuns) {
  const std::vector<std::vector<std::string>> cases = {
      {"record", "--duration", "1", "-o", "x.dta"},                        // no channels
      {"record", "--channels", "1", "-o", "x.dta"},                        // no duration
      {"record", "--channels", "1", "--duration", "1"},                    // no output
      {"record", "--channels", "0", "--duration", "1", "-o", "x.dta"},     // channel 0
      {"record", "--channels", "1,17", "--duration", "1", "-o", "x.dta"},  // channel 17
      {"record", "--channels", "1", "--duration", "-1", "-o", "x.dta"},
      {"record", "--channels", "1", "--duration", "1", "--dac", "1200", "-o", "x.dta"},
      {"record", "--channels", "1", "--duration", "1", "--dac", "1=2/3", "-o", "x.dta"},
      {"record", "--channels", "1", "--duration", "1", "--device", "usb", "-o", "x.dta"},
  };
  for (const auto& args : cases) {
    std::ostringstream out, err;
    EXPECT_EQ(RecordCommand(args, out, err), 2) << args[1] << " " << args[2];
    EXPECT_FALSE(fs::exists("x.dta"));
  }
}

// Starts tornel-tool record on the simulated bench as a child process and
// waits until its note says the first second reached the disk.
struct RunningRecord {
  explicit RunningRecord(const TempDir& dir) : tmp(dir.File("tmp")), output(dir.File("out.dta")) {
    fs::create_directory(tmp);
    child = ::fork();
    if (child == 0) {
      ::setenv("TMPDIR", tmp.c_str(), 1);
      ::execl(TORNEL_TOOL_PATH, "tornel-tool", "record", "--device", "sim", "--channels", "1,3",
              "--duration", "60", "-o", output.c_str(), static_cast<char*>(nullptr));
      ::_exit(127);
    }
    auto until = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (child > 0 && std::chrono::steady_clock::now() < until) {
      for (const auto& entry : fs::directory_iterator(tmp)) {
        if (entry.path().extension() == ".note") note = RecoveryNote::Read(entry.path().string());
      }
      if (note && note->RateCount > 0) break;
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
  }
  // The child's exit status.
  int Stop(int signal) {
    ::kill(child, signal);
    int status = 0;
    ::waitpid(child, &status, 0);
    return status;
  }
  std::string tmp, output;
  pid_t child = -1;
  std::optional<RecoveryNote> note;
};

void ExpectFirstSecond(const std::string& dta, const RecoveryNote& note) {
  TGraphRecord record;
  record.LoadDta(dta);
  record.RecountRecord();
  EXPECT_EQ(record.AcpMask, 0x0005);
  EXPECT_EQ(record.CapMask, 0);
  EXPECT_EQ(record.ChanName[0], note.ChanName[0]);
  EXPECT_EQ(record.ChanName[2], note.ChanName[2]);
  EXPECT_FALSE(record.IsStatic);
  // Every scan of the first second was on the disk before the signal.
  EXPECT_GE(record.FrameCount, static_cast<double>(note.RateCount));
  EXPECT_GE(record.Duration, note.RateElapsedMs * 0.001);
}

TEST(RecordCommandTest, KilledRecordingIsRecoveredWithTheScansOnTheDisk) {
  TempDir dir;
  RunningRecord run(dir);
  run.Stop(SIGKILL);
  ASSERT_TRUE(run.note && run.note->RateCount > 0) << "the recording never reached the disk";
  std::ostringstream out, err;
  ASSERT_EQ(RecoverCommand({"recover", "-o", dir.Path().string()}, out, err, {run.tmp}), 0)
      << err.str();
  ExpectFirstSecond(out.str().substr(0, out.str().find('\n')), *run.note);
  EXPECT_FALSE(fs::exists(run.output));
  EXPECT_TRUE(fs::is_empty(run.tmp));
}

TEST(RecordCommandTest, InterruptStopsTheRunAndWritesWhatWasRecorded) {
  TempDir dir;
  RunningRecord run(dir);
  int status = run.Stop(SIGINT);
  ASSERT_TRUE(run.note && run.note->RateCount > 0) << "the recording never reached the disk";
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << status;
  ExpectFirstSecond(run.output, *run.note);
  EXPECT_TRUE(fs::is_empty(run.tmp));
}

}  // namespace
}  // namespace tornel::cli
