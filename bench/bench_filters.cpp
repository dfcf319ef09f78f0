// The filters stream a sample file through one fixed buffer: each must reach
// at least 50 % of a plain copy of the same file through a buffer of the same
// size (BM_PlainCopy), measured in the same run. The sample file is 1 GiB of
// 16-channel frames in the temporary folder (TMPDIR), made once and deleted
// when the program ends; the figures are wall-clock bytes per second of the
// sample file, with the file and its copies in the page cache.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "bench_file.h"
#include "core/graph/filter_stream.h"
#include "core/graph/signal_filters.h"
#include "core/records/graph_record.h"
#include "plain_copy.h"

namespace {

constexpr int kChannels = 16;
constexpr int64_t kBytes = int64_t{1} << 30;
// The filters' buffer: whole 16-channel frames of FilterStream's values.
constexpr std::size_t kBufferBytes =
    tornel::FilterStream::kBufferValues / kChannels * kChannels * sizeof(int16_t);

using tornel::bench::BenchPath;

// A noisy sine per channel, so that every filter has work on every value.
const std::string& SampleFile() {
  static const tornel::bench::BenchFile file(
      "tornel-bench-filters.bin", kBytes / 2,
      [rng = std::mt19937(11)](auto chunk, int64_t first) mutable {
        for (std::size_t i = 0; i < chunk.size(); ++i) {
          const int64_t frame = (first + static_cast<int64_t>(i)) / kChannels;
          const int c = static_cast<int>(i % kChannels);
          chunk[i] = static_cast<int16_t>((frame * (c + 1)) % 1022 - 511 + rng() % 21 - 10);
        }
      });
  return file.Path();
}

// A 10 s transient record of all 16 ADC channels over the file.
tornel::TGraphRecord& Record() {
  static tornel::TGraphRecord r = [] {
    tornel::TGraphRecord rec;
    rec.AcpMask = 0xFFFF;
    rec.Duration = rec.TMax = 10;
    return rec;
  }();
  r.OrigFile = r.SampleFile = SampleFile();
  r.FilteredFile = r.OrigFile + "f";
  r.HasFiltered = false;
  return r;
}

// Every run starts with no dirty pages, so that no run pays for the
// write-back of the one before; the sync is not timed.
void Settle(benchmark::State& state) {
  state.PauseTiming();
  ::sync();
  state.ResumeTiming();
}

void Finish(benchmark::State& state) {
  state.SetBytesProcessed(state.iterations() * kBytes);
  std::filesystem::remove(Record().FilteredFile);
}

void BM_PlainCopy(benchmark::State& state) {
  const std::string& in = SampleFile();
  const std::string out = BenchPath("tornel-bench-filters-copy.bin");
  std::vector<char> buffer(kBufferBytes);
  for (auto _ : state) {
    Settle(state);
    PlainCopy(in, out, buffer);
  }
  state.SetBytesProcessed(state.iterations() * kBytes);
  std::filesystem::remove(out);
}

void BM_Hanning(benchmark::State& state) {
  for (auto _ : state) {
    Settle(state);
    tornel::ApplyHanning(Record(), 0xFFFF);
  }
  Finish(state);
}

void BM_MovingRms200ms(benchmark::State& state) {
  const int64_t n = tornel::MovingRmsWindow(Record(), 200);
  state.counters["window_frames"] = static_cast<double>(n);
  for (auto _ : state) {
    Settle(state);
    tornel::ApplyMovingRms(Record(), 0xFFFF, n);
  }
  Finish(state);
}

void BM_MovingRms2ms(benchmark::State& state) {
  const int64_t n = tornel::MovingRmsWindow(Record(), 2);
  state.counters["window_frames"] = static_cast<double>(n);
  for (auto _ : state) {
    Settle(state);
    tornel::ApplyMovingRms(Record(), 0xFFFF, n);
  }
  Finish(state);
}

void BM_ExpSmoothing(benchmark::State& state) {
  for (auto _ : state) {
    Settle(state);
    tornel::ApplyExpSmoothing(Record(), 0xFFFF, 0.3);
  }
  Finish(state);
}

// Each filter right after a copy of its own, so that the pairs meet the
// machine in the same state (the page cache, write-back of the last run).
#define TORNEL_BENCH(fn) BENCHMARK(fn)->Unit(benchmark::kMillisecond)->MinTime(2)->UseRealTime()
TORNEL_BENCH(BM_PlainCopy)->Name("BM_PlainCopy/before_Hanning");
TORNEL_BENCH(BM_Hanning);
TORNEL_BENCH(BM_PlainCopy)->Name("BM_PlainCopy/before_MovingRms200ms");
TORNEL_BENCH(BM_MovingRms200ms);
TORNEL_BENCH(BM_PlainCopy)->Name("BM_PlainCopy/before_MovingRms2ms");
TORNEL_BENCH(BM_MovingRms2ms);
TORNEL_BENCH(BM_PlainCopy)->Name("BM_PlainCopy/before_ExpSmoothing");
TORNEL_BENCH(BM_ExpSmoothing);

}  // namespace

BENCHMARK_MAIN();
