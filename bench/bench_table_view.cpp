// A table window repaints a screenful of cells (40 rows of 4 channels) at
// any place of a long record. Through the frame cache a screen costs one
// block read, the same at frame 10 as at frame 4,999,990; the baseline is the
// plain way of reading a frame per drawn cell (open, read at the offset,
// close), measured in the same run on the same 5,000,000-frame file.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "bench_file.h"
#include "core/graph/frame_cache.h"
#include "core/graph/table_columns.h"

namespace {

constexpr int kChannels = 16;
constexpr int64_t kFrames = 5'000'000;
constexpr int kRows = 40;
constexpr int kColumns = 4;

const std::string& SampleFile() {
  static const tornel::bench::BenchFile file("tornel-bench-table.bin", kFrames * kChannels,
                                             tornel::bench::NoiseFill(3));
  return file.Path();
}

const tornel::TableColumns& Table() {
  static const tornel::TableColumns table = [] {
    tornel::TGraphRecord r;
    r.AcpMask = 0xFFFF;
    r.Duration = 500;
    r.FrameCount = static_cast<double>(kFrames);
    return tornel::TableColumns(r, {0b1000100010001, 0});
  }();
  return table;
}

// Screens at scattered places, as a user dragging the thumb sees them.
std::vector<int64_t> ScreenStarts() {
  std::mt19937_64 rng(11);
  std::vector<int64_t> starts(512);
  for (auto& s : starts) s = static_cast<int64_t>(rng() % (kFrames - kRows));
  return starts;
}

void BM_TableScreen_FrameCache(benchmark::State& state) {
  const auto& table = Table();
  const auto starts = ScreenStarts();
  tornel::FrameCache cache(kChannels, tornel::SampleFormat::Int16);
  cache.SetFile(SampleFile());
  std::size_t n = 0;
  for (auto _ : state) {
    const int64_t first = starts[n++ % starts.size()];
    for (int64_t row = first; row < first + kRows; ++row) {
      benchmark::DoNotOptimize(table.RowText(row, '.'));
      for (int c = 0; c < kColumns; ++c) {
        const auto v = cache.Sample(row, table[c].Position);
        benchmark::DoNotOptimize(table.ValueText(c, v.value_or(0), '.'));
      }
    }
  }
  state.SetLabel("screens of 40 x 4 cells");
}
BENCHMARK(BM_TableScreen_FrameCache)->Unit(benchmark::kMicrosecond);

void BM_TableScreen_ReadPerCell_Baseline(benchmark::State& state) {
  const auto& table = Table();
  const auto starts = ScreenStarts();
  const std::string& path = SampleFile();
  std::vector<int16_t> frame(kChannels);
  std::size_t n = 0;
  for (auto _ : state) {
    const int64_t first = starts[n++ % starts.size()];
    for (int64_t row = first; row < first + kRows; ++row) {
      benchmark::DoNotOptimize(table.RowText(row, '.'));
      for (int c = 0; c < kColumns; ++c) {
        const int fd = ::open(path.c_str(), O_RDONLY);
        const ssize_t got = ::pread(fd, frame.data(), kChannels * 2, row * kChannels * 2);
        ::close(fd);
        const double v = got == kChannels * 2 ? frame[table[c].Position] : 0;
        benchmark::DoNotOptimize(table.ValueText(c, v, '.'));
      }
    }
  }
  state.SetLabel("screens of 40 x 4 cells, a frame read per cell");
}
BENCHMARK(BM_TableScreen_ReadPerCell_Baseline)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
