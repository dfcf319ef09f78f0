// SaveConfig writes about a hundred keys; it must stay well under 100 ms.
// Baseline: writing the same bytes once, atomically, with one fsync.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "core/config/channel_table.h"

namespace {

std::string TempPath(const char* name) {
  return (std::filesystem::temp_directory_path() / name).string();
}

void BM_SaveConfig(benchmark::State& state) {
  tornel::ChannelTable table;
  table.ConfigPath = TempPath("tornel-bench-config.ini");
  std::filesystem::remove(table.ConfigPath);
  for (auto _ : state) {
    table.Offset[0] = static_cast<int16_t>(state.iterations() % 100);
    table.SaveConfig();
  }
  std::filesystem::remove(table.ConfigPath);
}
BENCHMARK(BM_SaveConfig)->Unit(benchmark::kMillisecond);

void BM_AtomicWriteBaseline(benchmark::State& state) {
  tornel::ChannelTable table;
  table.ConfigPath = TempPath("tornel-bench-config-src.ini");
  table.SaveConfig();
  std::ifstream in(table.ConfigPath, std::ios::binary);
  std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::string path = TempPath("tornel-bench-baseline.ini");
  std::string tmp = path + ".tmp";
  for (auto _ : state) {
    int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    benchmark::DoNotOptimize(::write(fd, bytes.data(), bytes.size()));
    ::fsync(fd);
    ::close(fd);
    std::rename(tmp.c_str(), path.c_str());
  }
  std::filesystem::remove(path);
  std::filesystem::remove(table.ConfigPath);
}
BENCHMARK(BM_AtomicWriteBaseline)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
