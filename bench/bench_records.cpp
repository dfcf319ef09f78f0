// Saving and loading a data file are file copies with a header: both must
// reach at least 70 % of a plain copy of the same 200 MB, measured here in
// the same run (BM_FileCopy_200MB: read/write with a 1 MiB buffer). The
// figures are wall-clock: the work is input and output, not computation.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "bench_file.h"
#include "core/records/graph_record.h"
#include "plain_copy.h"

namespace {

constexpr int64_t kBytes = 200ll * 1000 * 1000;

using tornel::bench::BenchPath;

// 200 MB of 16-channel frames, written once per process.
const std::string& SampleFile() {
  static const tornel::bench::BenchFile file("tornel-bench-samples.bin", kBytes / 2,
                                             tornel::bench::NoiseFill(7));
  return file.Path();
}

tornel::TGraphRecord& Record() {
  static tornel::TGraphRecord r = [] {
    tornel::TGraphRecord rec;
    rec.AcpMask = 0xFFFF;
    rec.Duration = 10;
    rec.TMax = 10;
    rec.Comments = {"bench"};
    return rec;
  }();
  r.SampleFile = SampleFile();
  return r;
}

void BM_SaveDta_200MB(benchmark::State& state) {
  auto& record = Record();
  const std::string out = BenchPath("tornel-bench-save.dta");
  for (auto _ : state) record.SaveDta(out);
  state.SetBytesProcessed(state.iterations() * kBytes);
  std::filesystem::remove(out);
}

void BM_LoadDta_200MB(benchmark::State& state) {
  const std::string in = BenchPath("tornel-bench-load.dta");
  Record().SaveDta(in);
  for (auto _ : state) {
    tornel::TGraphRecord r;
    r.LoadDta(in);
    benchmark::DoNotOptimize(r.OrigFile.data());
    state.PauseTiming();
    r.DestroyRecord();  // deleting the copy is not part of loading
    state.ResumeTiming();
  }
  state.SetBytesProcessed(state.iterations() * kBytes);
  std::filesystem::remove(in);
}

void BM_FileCopy_200MB(benchmark::State& state) {
  const std::string& in = SampleFile();
  const std::string out = BenchPath("tornel-bench-copy.bin");
  std::vector<char> buffer(1 << 20);
  for (auto _ : state) {
    PlainCopy(in, out, buffer);
  }
  state.SetBytesProcessed(state.iterations() * kBytes);
  std::filesystem::remove(out);
}

BENCHMARK(BM_FileCopy_200MB)->Unit(benchmark::kMillisecond)->MinTime(2)->UseRealTime();
BENCHMARK(BM_SaveDta_200MB)->Unit(benchmark::kMillisecond)->MinTime(2)->UseRealTime();
BENCHMARK(BM_LoadDta_200MB)->Unit(benchmark::kMillisecond)->MinTime(2)->UseRealTime();
BENCHMARK(BM_FileCopy_200MB)
    ->Unit(benchmark::kMillisecond)
    ->MinTime(2)
    ->UseRealTime()
    ->Name("BM_FileCopy_200MB/again");

}  // namespace

BENCHMARK_MAIN();
