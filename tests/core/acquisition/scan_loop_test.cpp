#include "core/acquisition/scan_loop.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <bit>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "core/acquisition/transient_note.h"
#include "core/text/user_error.h"
#include "tests/core/records/summary_check.h"
#include "tests/support/fake_device.h"
#include "tests/support/fake_priority_control.h"
#include "tests/support/fake_tick_clock.h"
#include "tests/support/file_size_limit.h"
#include "tests/support/temp_dir.h"

namespace tornel {
namespace {

using testing::FakeDevice;
using testing::FakeTickClock;
using testing::FileSizeLimit;
using testing::TempDir;

// One log for the hooks and the priorities, each entry stamped with the number
// of DAC writes made before it, so that the order of the end steps shows.
class EventLog {
public:
  explicit EventLog(const FakeDevice& device) : device_(device) {}
  void Add(const std::string& event) {
    entries.push_back(event + " @" + std::to_string(device_.Writes().size()));
  }
  std::vector<std::string> entries;

private:
  const FakeDevice& device_;
};

class LoggingHooks final : public ScanHooks {
public:
  explicit LoggingHooks(EventLog& log) : log_(log) {}
  void SaveCursorShowBusy() override { log_.Add("busy"); }
  void DisableStartButton() override { log_.Add("start off"); }
  void RestoreCursor() override { log_.Add("cursor back"); }

private:
  EventLog& log_;
};
// Priorities that go into the event log.
testing::FakePriorityControl LoggedPriority(EventLog& log) {
  testing::FakePriorityControl control;
  control.onCall = [&log](const std::string& call) { log.Add(call); };
  return control;
}

std::vector<int16_t> Int16s(const std::string& bytes) {
  std::vector<int16_t> values;
  for (std::size_t i = 0; i + 1 < bytes.size(); i += 2) {
    values.push_back(static_cast<int16_t>(static_cast<unsigned char>(bytes[i]) |
                                          static_cast<unsigned char>(bytes[i + 1]) << 8));
  }
  return values;
}

std::vector<int16_t> Codes(const std::vector<FakeDevice::WriteEntry>& writes) {
  std::vector<int16_t> codes;
  for (const auto& w : writes) codes.push_back(w.code);
  return codes;
}

class ScanLoopTest : public ::testing::Test {
protected:
  ScanLoopTest() {
    // One millisecond per tick reading: the loop reads the clock once per
    // scan, so scan k starts at Elapsed k - 1.
    clock.SetAutoAdvance(1);
    table.ScanPriorityClass = 128;
    table.ScanThreadPriority = 2;
    table.AppPriorityClass = 32;
    table.AppThreadPriority = 0;
    table.Tzi = 0.0;  // the end ramp drops at once unless a test wants it
    request.FileName = dir.File("Trn1");
    request.CapZero[0] = request.CapZero[1] = 511;
  }

  ScanResult Run(std::size_t bufferBytes = RawSampleWriter::kDefaultBufferBytes) {
    RawSampleWriter writer(bufferBytes);
    return RunScan(request, ScanContext{device, table, clock, priority, hooks}, writer, terminate);
  }
  std::string FileBytes() const { return testing::ReadBytes(request.FileName); }
  // Every `stride`-th value of the file from `first` on: one column of scans.
  std::vector<int16_t> Column(std::size_t first, std::size_t stride) const {
    std::vector<int16_t> all = Int16s(FileBytes()), column;
    for (std::size_t i = first; i < all.size(); i += stride) column.push_back(all[i]);
    return column;
  }
  // The writes made by the scans themselves: after the zero codes of the
  // start, before the start button goes off.
  std::vector<FakeDevice::WriteEntry> LoopWrites() const {
    std::vector<FakeDevice::WriteEntry> all = device.Writes();
    std::size_t end = all.size();
    for (const std::string& e : log.entries) {
      if (e.rfind("start off @", 0) == 0) end = std::stoul(e.substr(11));
    }
    return {all.begin() + 2, all.begin() + static_cast<std::ptrdiff_t>(end)};
  }

  TempDir dir;
  ChannelTable table;
  FakeTickClock clock;
  FakeDevice device{&clock};
  EventLog log{device};
  LoggingHooks hooks{log};
  testing::FakePriorityControl priority = LoggedPriority(log);
  ScanRequest request;
  std::atomic<bool> terminate{false};
};

TEST_F(ScanLoopTest, ScanHoldsTheChosenAdcChannelsWithTheirZeroThenTheDacLevels) {
  request.AcpMask = 0x0005;  // ADC 1 and ADC 3
  request.CapMask = 0x0001;  // DAC 1
  request.DriveCap = true;
  request.Duration = 0.010;
  request.AcpZero[0] = 3;
  request.AcpZero[2] = -5;
  request.Amplitude[0] = 100;
  request.Delay[0] = 0.004;
  device.SetConstant(0, 10);
  device.SetConstant(1, 77);  // not recorded
  device.SetConstant(2, 20);
  ScanResult r = Run();
  EXPECT_EQ(r.Outcome, ScanOutcome::Completed);
  EXPECT_EQ(r.Count, 10);
  EXPECT_EQ(r.Elapsed, 10u);
  // 13, 15 and the level: 0 while Elapsed <= 4 (scans 1-5), then 100.
  std::string before("\x0D\x00\x0F\x00\x00\x00", 6), after("\x0D\x00\x0F\x00\x64\x00", 6);
  std::string expected;
  for (int i = 0; i < 5; ++i) expected += before;
  for (int i = 0; i < 5; ++i) expected += after;
  EXPECT_EQ(FileBytes(), expected);
  EXPECT_EQ(FileBytes().size(), 6u * static_cast<std::size_t>(r.Count));
  EXPECT_EQ(device.ReadCount(1), 0u);
}

TEST_F(ScanLoopTest, ZeroCodeAddsWithSixteenBitWrapAround) {
  request.AcpMask = 0x0001;
  request.Duration = 0.001;
  request.AcpZero[0] = 1;
  device.SetConstant(0, 32767);
  EXPECT_EQ(Run().Count, 1);
  EXPECT_EQ(FileBytes(), std::string("\x00\x80", 2));
}

TEST_F(ScanLoopTest, AutomaticModeOffWritesNoDacDuringTheLoop) {
  request.AcpMask = 0x0003;
  request.CapMask = 0;
  request.DriveCap = false;
  request.Duration = 0.050;
  request.Amplitude = {300, -200};
  table.Offset[16] = 480;
  ScanResult r = Run();
  EXPECT_EQ(r.Count, 50);
  // Only the zero codes of the start; nothing moved, so the end ramp is idle.
  EXPECT_EQ(Codes(device.Writes()), (std::vector<int16_t>{480, 511}));
  EXPECT_EQ(FileBytes().size(), 2u * 2u * 50u);
}

TEST_F(ScanLoopTest, StepAfterTheDelayIsWrittenOnceAndRecordedFromThatScanOn) {
  request.AcpMask = 0x0001;
  request.CapMask = 0x0001;
  request.DriveCap = true;
  request.Duration = 1.0;
  request.Amplitude[0] = 200;
  request.RiseTime[0] = 0.0;
  request.Delay[0] = 0.5;
  ScanResult r = Run();
  EXPECT_EQ(r.Count, 1000);
  // Strictly after 500 ms: the scan that starts at Elapsed 501, tick 502.
  EXPECT_EQ(LoopWrites(), (std::vector<FakeDevice::WriteEntry>{{0, 711, 502}}));
  std::vector<int16_t> levels = Column(1, 2);
  ASSERT_EQ(levels.size(), 1000u);
  EXPECT_EQ(levels[500], 0);  // Elapsed 500
  EXPECT_EQ(levels[501], 200);
  EXPECT_EQ(std::count(levels.begin(), levels.end(), 0), 501);
  EXPECT_EQ(std::count(levels.begin(), levels.end(), 200), 499);
}

TEST_F(ScanLoopTest, NegativeRampFallsAtItsRateAndHoldsFromTheFirstPassThatReachesIt) {
  request.CapMask = 0x0001;
  request.DriveCap = true;
  request.Duration = 0.400;
  request.Amplitude[0] = -100;
  request.RiseTime[0] = 1.0;  // 511 codes per second: 0.511 per ms
  table.Base[16] = table.RealBase[16] = 2.5;
  ScanResult r = Run();
  std::vector<FakeDevice::WriteEntry> loop = LoopWrites();
  // Written at Elapsed 1..196; 196 x 0.511 = 100.156 is the first at -100.
  ASSERT_EQ(loop.size(), 196u);
  EXPECT_EQ(loop[0].code, 511);    // 0.511 truncates to 0
  EXPECT_EQ(loop[1].code, 510);    // 1.022
  EXPECT_EQ(loop[99].code, 460);   // 51.1
  EXPECT_EQ(loop[194].code, 412);  // 99.645
  EXPECT_EQ(loop[195].code, 411);  // held
  std::vector<int16_t> levels = Column(0, 1);
  ASSERT_EQ(levels.size(), static_cast<std::size_t>(r.Count));
  EXPECT_EQ(levels[195], -99);   // the scan at Elapsed 195
  EXPECT_EQ(levels[196], -100);  // Elapsed 196
  EXPECT_EQ(levels.back(), -100);
}

TEST_F(ScanLoopTest, RiseTimeIsToTheNominalValueSoRealBaseSetsTheRate) {
  request.CapMask = 0x0002;  // DAC 2
  request.DriveCap = true;
  request.Duration = 0.050;
  request.Amplitude[1] = 400;
  request.RiseTime[1] = 0.1;
  request.CapZero[1] = 500;
  table.Base[17] = 10.0;
  table.RealBase[17] = 5.0;  // half the range per 100 ms: 2.555 codes per ms
  Run();
  std::vector<FakeDevice::WriteEntry> loop = LoopWrites();
  ASSERT_EQ(loop.size(), 49u);
  EXPECT_EQ(loop[0], (FakeDevice::WriteEntry{1, 502, 2}));  // 2.555
  EXPECT_EQ(loop[9].code, 525);                             // 25.55
  EXPECT_EQ(loop[48].code, 625);                            // 49 x 2.555 = 125.195
}

TEST_F(ScanLoopTest, OnlyDacsInUseWithAnAmplitudeAreDriven) {
  request.CapMask = 0x0007;  // DAC 3 is beyond CapCount 2
  request.DriveCap = true;
  request.Duration = 0.010;
  request.Amplitude = {0, 50, 70};
  Run();
  EXPECT_EQ(LoopWrites(), (std::vector<FakeDevice::WriteEntry>{{1, 561, 2}}));
  // The file records DAC 1 and DAC 2, not DAC 3.
  EXPECT_EQ(Column(0, 2), std::vector<int16_t>(10, 0));
  EXPECT_EQ(Column(1, 2)[1], 50);
}

TEST_F(ScanLoopTest, DurationBelowOneMillisecondTakesNoScan) {
  request.AcpMask = 0x00FF;
  request.Duration = 0.0009;
  ScanResult r = Run();
  EXPECT_EQ(r.Outcome, ScanOutcome::Completed);
  EXPECT_EQ(r.DurationMs, 0u);
  EXPECT_EQ(r.Count, 0);
  EXPECT_EQ(r.Elapsed, 0u);
  EXPECT_TRUE(std::filesystem::exists(request.FileName));
  EXPECT_EQ(FileBytes(), "");
  EXPECT_EQ(device.TotalReads(), 0u);
}

TEST_F(ScanLoopTest, ElapsedSurvivesATickCounterWrap) {
  clock.Set(0xFFFFFFF0u);
  request.AcpMask = 0x0001;
  request.Duration = 0.040;
  ScanResult r = Run();
  EXPECT_EQ(r.Count, 40);
  EXPECT_EQ(r.Elapsed, 40u);
  EXPECT_EQ(static_cast<uint32_t>(r.StartTick), 0xFFFFFFF0u);
}

TEST_F(ScanLoopTest, EndSequenceRampsToZeroThenLowersPrioritiesThenRestoresTheCursor) {
  request.CapMask = 0x0001;
  request.DriveCap = true;
  request.Duration = 0.020;
  request.Amplitude[0] = 100;  // a step at Elapsed 1
  table.Tzi = 0.1;             // 511 codes in 100 ms: 100 codes in about 20 ms
  ScanResult r = Run();
  EXPECT_EQ(r.Count, 20);
  std::vector<FakeDevice::WriteEntry> all = device.Writes();
  ASSERT_GT(all.size(), 5u);
  std::size_t loopEnd = 2 + LoopWrites().size();
  EXPECT_EQ(loopEnd, 3u);
  EXPECT_EQ(all.back(), (FakeDevice::WriteEntry{1, 511, all.back().tick}));
  EXPECT_EQ(device.LastCode(0), 511);
  std::string atEnd = std::to_string(all.size());
  EXPECT_EQ(log.entries, (std::vector<std::string>{"busy @0", "class 128 @0", "thread 2 @0",
                                                   "start off @3", "class 32 @" + atEnd,
                                                   "thread 0 @" + atEnd, "cursor back @" + atEnd}));
  // The ramp went down through intermediate codes, not in one jump.
  EXPECT_GT(device.WritesTo(0).size(), 4u);
}

TEST_F(ScanLoopTest, TerminateEndsTheLoopAndStillLeavesEveryDacAtZero) {
  request.AcpMask = 0x0001;
  request.CapMask = 0x0003;
  request.DriveCap = true;
  request.Duration = 10.0;
  request.Amplitude = {300, -250};
  request.CapZero[0] = table.Offset[16] = 480;
  table.Tzi = 0.5;
  device.SetReadHook([this](int16_t) {
    if (device.ReadCount(0) == 30) terminate = true;
  });
  ScanResult r = Run();
  EXPECT_TRUE(r.Terminated);
  EXPECT_EQ(r.Outcome, ScanOutcome::Completed);
  EXPECT_EQ(r.Count, 31);  // the scan under way is finished
  EXPECT_EQ(FileBytes().size(), 31u * 3u * 2u);
  EXPECT_EQ(device.LastCode(0), 480);
  EXPECT_EQ(device.LastCode(1), 511);
  EXPECT_EQ(log.entries.back(), "cursor back @" + std::to_string(device.Writes().size()));
}

// Each ADC channel reads a saw of its own with spikes and dips, so that the
// extremes of a block differ from channel to channel and block to block.
int16_t Saw(int16_t channel, uint64_t i) {
  if (i % 97 == static_cast<uint64_t>(channel)) return static_cast<int16_t>(1000 + channel);
  if (i % 89 == static_cast<uint64_t>(channel)) return static_cast<int16_t>(-1000 - channel);
  return static_cast<int16_t>(static_cast<int>(i * (7 + channel) % 201) - 100);
}

TEST_F(ScanLoopTest, SummaryOfTheRawFileIsBuiltAsTheScansAreWritten) {
  struct Case {
    int frames;
    uint16_t acp;
    bool dac;                 // DAC 1 rising, as the 17th value of a scan
    std::size_t bufferScans;  // 0: the default buffer
  };
  // Block edges (64 frames), several blocks, a second level (4096 frames),
  // odd channel counts, and buffers whose flushes end inside blocks.
  const Case cases[] = {
      {0, 0x0001, false, 0},   {63, 0x0007, false, 0},     {64, 0x0007, false, 7},
      {65, 0x01FF, false, 0},  {65, 0x0001, false, 64},    {197, 0x01FF, false, 5},
      {4161, 0xFFFF, true, 0}, {4161, 0x0007, false, 100},
  };
  for (int16_t ch = 0; ch < 16; ++ch) {
    device.SetFunction(ch, [ch](uint64_t i) { return Saw(ch, i); });
  }
  for (const Case& c : cases) {
    request.AcpMask = static_cast<int16_t>(c.acp);
    request.CapMask = c.dac ? 0x0001 : 0;
    request.DriveCap = c.dac;
    request.Amplitude[0] = 300;
    request.RiseTime[0] = 2.0;
    request.Duration = (c.frames + 0.5) / 1000.0;
    const int channels = std::popcount(c.acp) + (c.dac ? 1 : 0);
    const std::size_t buffer =
        c.bufferScans == 0 ? RawSampleWriter::kDefaultBufferBytes : c.bufferScans * 2 * channels;
    ScanResult r = Run(buffer);
    ASSERT_EQ(r.Outcome, ScanOutcome::Completed) << c.frames;
    ASSERT_EQ(r.Count, c.frames);
    ASSERT_TRUE(r.Summary) << c.frames << " frames, " << channels << " channels";
    EXPECT_TRUE(testing::MatchesItsFile(&*r.Summary, request.FileName, channels))
        << c.frames << " frames, " << channels << " channels, buffer " << buffer;
  }
}

TEST_F(ScanLoopTest, TerminatedRunKeepsTheSummaryOfTheScansItTook) {
  request.AcpMask = 0x0007;
  request.Duration = 10.0;
  device.SetFunction(1, [](uint64_t i) { return Saw(1, i); });
  // Set while scan 129 reads ADC 2: two blocks and a frame.
  device.SetReadHook([this](int16_t) {
    if (device.ReadCount(0) == 129) terminate = true;
  });
  ScanResult r = Run(2 * 3 * 10);
  ASSERT_TRUE(r.Terminated);
  EXPECT_EQ(r.Count, 129);
  ASSERT_TRUE(r.Summary);
  EXPECT_TRUE(testing::MatchesItsFile(&*r.Summary, request.FileName, 3));
}

TEST_F(ScanLoopTest, FileThatCannotBeCreatedRecordsNothingAndSaysSo) {
  testing::WriteBytes(dir.File("plain"), "x");
  request.FileName = dir.File("plain") + "/Trn1";
  request.AcpMask = 0x0001;
  request.CapMask = 0x0001;
  request.DriveCap = true;
  request.Amplitude[0] = 100;
  request.Duration = 1.0;
  ScanResult r = Run();
  EXPECT_EQ(r.Outcome, ScanOutcome::FileNotCreated);
  EXPECT_EQ(r.Message, "Не удалось создать файл " + request.FileName);
  EXPECT_FALSE(r.Summary);
  EXPECT_EQ(r.Count, 0);
  EXPECT_EQ(device.TotalReads(), 0u);
  EXPECT_EQ(Codes(device.Writes()), (std::vector<int16_t>{511, 511}));
  EXPECT_EQ(log.entries,
            (std::vector<std::string>{"busy @0", "class 128 @0", "thread 2 @0", "start off @0",
                                      "class 32 @2", "thread 0 @2", "cursor back @2"}));
}

TEST_F(ScanLoopTest, FullDiskStopsTheRunRampsTheDacsAndTellsHowManyScansWereKept) {
  request.FileName = "/dev/full";
  request.AcpMask = 0x0001;
  request.CapMask = 0x0001;
  request.DriveCap = true;
  request.Amplitude[0] = 100;
  request.Duration = 5.0;
  ScanResult r = Run(64);  // 16 scans per buffer
  EXPECT_EQ(r.Outcome, ScanOutcome::WriteFailed);
  EXPECT_EQ(r.Count, 0);
  EXPECT_EQ(r.Elapsed, 0u);
  EXPECT_EQ(r.Message, "Не удалось записать файл /dev/full\nСохранено 0 точек.");
  EXPECT_FALSE(r.Summary);
  EXPECT_EQ(device.ReadCount(0), 17u);  // stopped at the first flush
  EXPECT_EQ(device.LastCode(0), 511);
  EXPECT_EQ(log.entries.back(), "cursor back @" + std::to_string(device.Writes().size()));
}

TEST_F(ScanLoopTest, WriteFailingPartWayKeepsEveryWholeScanThatLanded) {
  request.AcpMask = 0x0003;
  request.CapMask = 0x0001;
  request.DriveCap = true;
  request.Duration = 5.0;
  device.SetFunction(0, [](uint64_t i) { return static_cast<int16_t>(i); });
  ScanResult r;
  {
    // 1000 bytes take 166 scans of 6 bytes and 4 bytes of the 167th; the
    // second flush of 100 scans fails part way.
    FileSizeLimit limit(1000);
    r = Run(600);
  }
  EXPECT_EQ(r.Outcome, ScanOutcome::WriteFailed);
  EXPECT_EQ(r.Count, 166);
  EXPECT_EQ(r.Message, "Не удалось записать файл " + request.FileName + "\nСохранено 166 точек.");
  // The file holds what landed; a summary of what was written would not fit it.
  EXPECT_FALSE(r.Summary);
  // 200 scans were taken in 200 ms; the kept ones get their share of it.
  EXPECT_EQ(r.Elapsed, 166u);
  EXPECT_EQ(FileBytes().size(), 996u);
  std::vector<int16_t> first = Column(0, 3);
  ASSERT_EQ(first.size(), 166u);
  EXPECT_EQ(first[165], 165);
}

TEST_F(ScanLoopTest, DeviceErrorKeepsTheScansAndRestoresPrioritiesCursorAndDacs) {
  request.AcpMask = 0x0001;
  request.CapMask = 0x0001;
  request.DriveCap = true;
  request.Amplitude[0] = 100;
  request.Duration = 5.0;
  device.SetFunction(0, [](uint64_t i) -> int16_t {
    if (i == 5) throw UserError("Устройство не отвечает");
    return 7;
  });
  ScanResult r = Run();
  EXPECT_EQ(r.Outcome, ScanOutcome::Failed);
  EXPECT_EQ(r.Count, 5);
  EXPECT_EQ(r.Message, "Устройство не отвечает\nСохранено 5 точек.");
  EXPECT_FALSE(r.Summary);
  EXPECT_EQ(FileBytes(), std::string("\x07\x00\x00\x00\x07\x00\x64\x00\x07\x00\x64\x00"
                                     "\x07\x00\x64\x00\x07\x00\x64\x00",
                                     20));
  EXPECT_EQ(device.LastCode(0), 511);
  ASSERT_GE(log.entries.size(), 3u);
  std::string atEnd = " @" + std::to_string(device.Writes().size());
  EXPECT_EQ(
      std::vector<std::string>(log.entries.end() - 3, log.entries.end()),
      (std::vector<std::string>{"class 32" + atEnd, "thread 0" + atEnd, "cursor back" + atEnd}));
}

TEST_F(ScanLoopTest, CardFailingAtADacStepStopsTheRunInsteadOfRecordingAnUndrivenBench) {
  request.AcpMask = 0x0001;
  request.CapMask = 0x0001;
  request.DriveCap = true;
  request.Amplitude[0] = 100;
  request.Delay[0] = 0.002;  // the step is due in scan 4, which starts at 3 ms
  request.Duration = 5.0;
  table.Tzi = 1.0;  // a ramp back from a level the card never got would show
  device.SetConstant(0, 7);
  device.FailAfterReads(3, "нет связи");
  ScanResult r = Run();
  EXPECT_EQ(r.Outcome, ScanOutcome::Failed);
  EXPECT_EQ(r.Message,
            "Ошибка платы сбора данных (тестовое устройство, ЦАП 1): нет связи\n"
            "Сохранено 3 точки.");
  EXPECT_EQ(FileBytes(), std::string("\x07\x00\x00\x00\x07\x00\x00\x00\x07\x00\x00\x00", 12));
  // The zero code of the start; the step never reached the card, so there is
  // nothing to ramp back from.
  EXPECT_EQ(Codes(device.WritesTo(0)), (std::vector<int16_t>{511}));
}

TEST_F(ScanLoopTest, BrokenScaleValuesGiveAStepInsteadOfGarbage) {
  request.CapMask = 0x0003;
  request.DriveCap = true;
  request.Duration = 0.005;
  request.Amplitude = {120, -90};
  request.RiseTime = {1.0, 1.0};
  table.Base[16] = 0.0;  // infinite rate
  table.Base[17] = 0.0;
  table.RealBase[17] = 0.0;  // undefined rate
  Run();
  EXPECT_EQ(Codes(LoopWrites()), (std::vector<int16_t>{631, 421}));
}

}  // namespace
}  // namespace tornel

namespace tornel {
namespace {

TEST_F(ScanLoopTest, ScansReachTheDiskEverySecondAndTheNoteFollowsTheRun) {
  request.AcpMask = 0x0001;
  request.Duration = 3.0;
  std::string notePath = NotePathFor(request.FileName);
  std::string bytesAtScan1500;
  std::optional<RecoveryNote> noteAtScan1500;
  device.SetReadHook([&](int16_t) {
    if (device.TotalReads() != 1501) return;
    bytesAtScan1500 = FileBytes();
    noteAtScan1500 = RecoveryNote::Read(notePath);
  });
  RawSampleWriter writer;
  std::unique_ptr<UnsavedRecording> note;
  ScanContext context{device, table, clock, priority, hooks, [&] {
                        return UnsavedRecording::Begin(request.FileName,
                                                       MakeTransientNote(request, table, 1.0, 0.5));
                      }};
  ScanResult result = RunScan(request, context, writer, terminate, note);

  // One scan per millisecond: the flush after Elapsed 1000 put 1000 scans
  // on the disk, and the next comes at 2000.
  EXPECT_EQ(bytesAtScan1500.size(), 2000u);
  ASSERT_TRUE(noteAtScan1500);
  EXPECT_EQ(noteAtScan1500->Pid, CurrentProcessId());
  EXPECT_EQ(noteAtScan1500->RateElapsedMs, 1000u);
  EXPECT_EQ(noteAtScan1500->RateCount, 1000);
  EXPECT_FALSE(noteAtScan1500->Finished);

  ASSERT_EQ(result.Count, 3000);
  auto last = RecoveryNote::Read(notePath);
  ASSERT_TRUE(last);
  EXPECT_TRUE(last->Finished);
  EXPECT_EQ(last->ElapsedMs, 3000u);
  EXPECT_EQ(last->Count, 3000);
  EXPECT_EQ(last->AcpMask, 0x0001);
  note.reset();
  EXPECT_FALSE(std::filesystem::exists(notePath));
}

}  // namespace
}  // namespace tornel
