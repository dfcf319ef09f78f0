// The cursors' statistics over 10,000,000 frames of 4 channels must take
// well under a second. They are set beside a plain read(2) of the same
// 80 MB through a buffer of the same size (BM_PlainRead), measured in the
// same run, with the file in the page cache; BM_MeasureCursors_Summary is
// the same range once the record's min/max summary exists.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "core/graph/cursor_readout.h"
#include "core/records/graph_record.h"
#include "core/records/sample_file_writer.h"

namespace {

constexpr int kChannels = 4;
constexpr int64_t kFrames = 10'000'000;
// MeasureCursors reads 4096 frames at a time.
constexpr std::size_t kBufferBytes = 4096 * kChannels * sizeof(int16_t);

struct BenchFile {
  std::string path;
  ~BenchFile() { std::filesystem::remove(path); }
};

const std::string& SampleFile() {
  static const BenchFile file{[] {
    std::string p = (std::filesystem::temp_directory_path() / "tornel-bench-cursors.bin").string();
    tornel::SampleFileWriter<int16_t> w(p);
    std::mt19937 rng(5);
    std::vector<int16_t> chunk(std::size_t{1} << 16);
    for (int64_t done = 0; done < kFrames * kChannels; done += static_cast<int64_t>(chunk.size())) {
      for (auto& v : chunk) v = static_cast<int16_t>(rng() % 1023 - 511);
      w.Write(chunk);
    }
    w.Close();
    return p;
  }()};
  return file.path;
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
  for (auto _ : state) {
    const int fd = ::open(path.c_str(), O_RDONLY);
    ssize_t n;
    while ((n = ::read(fd, buffer.data(), buffer.size())) > 0) benchmark::DoNotOptimize(n);
    ::close(fd);
  }
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
