// The transient scan loop must be limited by the device, not by itself: on
// the null device, writing a real file in the temporary folder, at least
// 2,000,000 scans/s with 16 channels and at least 80 % of a plain loop that
// reads the same channels, reads the clock and writes the same bytes through
// the same buffer (BM_ScanBaseline_16ch, same run). Each iteration records
// 100 ms; items_per_second is scans per second.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <string>

#include "core/acquisition/raw_sample_writer.h"
#include "core/acquisition/scan_loop.h"
#include "core/config/channel_table.h"
#include "core/config/priority_control.h"
#include "core/device/asmcode.h"
#include "core/device/null_device.h"
#include "core/device/tick_clock.h"

namespace {

constexpr double kRecordSeconds = 0.1;

class NoHooks final : public tornel::ScanHooks {
public:
  void SaveCursorShowBusy() override {}
  void DisableStartButton() override {}
  void RestoreCursor() override {}
};

class NoPriority final : public tornel::PriorityControl {
public:
  void SetProcessPriorityClass(int32_t) override {}
  void SetThreadPriority(int32_t) override {}
};

std::string BenchFile() {
  return (std::filesystem::temp_directory_path() / "TrnBenchScan").string();
}

void ScanLoop(benchmark::State& state, int channels) {
  tornel::NullDevice device;
  tornel::ChannelTable table;
  tornel::MonotonicTickClock clock;
  NoHooks hooks;
  NoPriority priority;
  tornel::ScanRequest request;
  request.AcpMask = static_cast<int16_t>((1u << channels) - 1);
  request.Duration = kRecordSeconds;
  request.FileName = BenchFile();
  std::atomic<bool> terminate{false};
  tornel::RawSampleWriter writer;
  int64_t scans = 0;
  for (auto _ : state) {
    tornel::ScanResult result =
        tornel::RunScan(request, {device, table, clock, priority, hooks}, writer, terminate);
    if (result.Outcome != tornel::ScanOutcome::Completed) state.SkipWithError("scan failed");
    scans += result.Count;
  }
  std::filesystem::remove(request.FileName);
  state.SetItemsProcessed(scans);
}

void BM_ScanLoop_4ch(benchmark::State& state) { ScanLoop(state, 4); }
BENCHMARK(BM_ScanLoop_4ch)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_ScanLoop_16ch(benchmark::State& state) { ScanLoop(state, 16); }
BENCHMARK(BM_ScanLoop_16ch)->Unit(benchmark::kMillisecond)->UseRealTime();

// The same I/O without the loop's rules: read 16 channels with their zero
// codes, append through the writer, read the clock.
void BM_ScanBaseline_16ch(benchmark::State& state) {
  tornel::NullDevice device;
  tornel::MonotonicTickClock clock;
  tornel::TickClock& ticks = clock;
  tornel::RawSampleWriter writer;
  int16_t zero[16] = {};
  int64_t scans = 0;
  for (auto _ : state) {
    if (!writer.Create(BenchFile(), 16)) state.SkipWithError("cannot create the file");
    int16_t scan[16];
    uint32_t start = ticks.Now();
    while (tornel::TicksSince(start, ticks.Now()) < kRecordSeconds * 1000) {
      for (int16_t ch = 0; ch < 16; ++ch) {
        scan[ch] = static_cast<int16_t>(tornel::AcpRead(device, ch) + zero[ch]);
      }
      writer.Append(scan);
      ++scans;
    }
    writer.Close();
  }
  std::filesystem::remove(BenchFile());
  state.SetItemsProcessed(scans);
}
BENCHMARK(BM_ScanBaseline_16ch)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
