// The cursors' statistics over 10,000,000 frames of 4 channels must take
// well under a second. They are set beside a plain read(2) of the same
// 80 MB through a buffer of the same size (BM_PlainRead), measured in the
// same run, with the file in the page cache; BM_MeasureCursors_Summary is
// the same range once the record's min/max summary exists.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <string>
#include <vector>

#include "bench_file.h"
#include "core/graph/cursor_readout.h"
#include "core/records/graph_record.h"
#include "plain_copy.h"

namespace {

constexpr int kChannels = 4;
constexpr int64_t kFrames = 10'000'000;
// MeasureCursors reads 4096 frames at a time.
constexpr std::size_t kBufferBytes = 4096 * kChannels * sizeof(int16_t);

const std::string& SampleFile() {
  static const tornel::bench::BenchFile file("tornel-bench-cursors.bin", kFrames * kChannels,
                                             tornel::bench::NoiseFill(5));
  return file.Path();
}

tornel::TGraphRecord& Record() {
  static tornel::TGraphRecord r = [] {
    tornel::TGraphRecord rec;
    rec.AcpMask = rec.AcpShowMask = 0b1111;
    rec.Duration = rec.TMax = 100;
    rec.SampleFile = SampleFile();
    rec.RecountRecord();
    return rec;
  }();
  return r;
}

void BM_PlainRead(benchmark::State& state) {
  const std::string& path = SampleFile();
  std::vector<char> buffer(kBufferBytes);
  for (auto _ : state) PlainRead(path, buffer);
  state.SetBytesProcessed(state.iterations() * kFrames * kChannels * 2);
}

void BM_MeasureCursors(benchmark::State& state) {
  tornel::TGraphRecord& record = Record();
  record.Summaries.Clear();
  for (auto _ : state) {
    const tornel::CursorReadout r = tornel::MeasureCursors(record, 0, kFrames - 1);
    benchmark::DoNotOptimize(r.channels.data());
    if (!r.valid) state.SkipWithError("no readout");
  }
  state.SetBytesProcessed(state.iterations() * kFrames * kChannels * 2);
}

void BM_MeasureCursors_Summary(benchmark::State& state) {
  tornel::TGraphRecord& record = Record();
  record.Summaries.Prepare(record);
  for (auto _ : state) {
    const tornel::CursorReadout r = tornel::MeasureCursors(record, 0, kFrames - 1);
    benchmark::DoNotOptimize(r.channels.data());
  }
  state.SetBytesProcessed(state.iterations() * kFrames * kChannels * 2);
}

BENCHMARK(BM_PlainRead)->Unit(benchmark::kMillisecond)->MinTime(2)->UseRealTime();
BENCHMARK(BM_MeasureCursors)->Unit(benchmark::kMillisecond)->MinTime(2)->UseRealTime();
BENCHMARK(BM_MeasureCursors_Summary)->Unit(benchmark::kMillisecond)->MinTime(2)->UseRealTime();
BENCHMARK(BM_PlainRead)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2)
    ->UseRealTime()
    ->Name("BM_PlainRead/again");

}  // namespace

BENCHMARK_MAIN();
