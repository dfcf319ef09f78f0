// A scan reads the device as fast as it answers, so a read must cost far less
// than the file it feeds: the null device at least 50 M reads/s, the
// simulated bench at least 5 M reads/s. Baselines in the same run: a plain
// loop over an array of codes, and a plain loop reading the tick clock once
// per item (what the model must do to know the time).
#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>

#include "core/device/asmcode.h"
#include "core/device/null_device.h"
#include "core/device/simulated_bench.h"
#include "core/device/tick_clock.h"

namespace {

constexpr int kChannels = 16;

void BM_PlainLoop_Baseline(benchmark::State& state) {
  std::array<int16_t, kChannels> codes{};
  for (int ch = 0; ch < kChannels; ++ch) codes[ch] = static_cast<int16_t>(ch * 3);
  int64_t sum = 0;
  for (auto _ : state) {
    for (int ch = 0; ch < kChannels; ++ch) {
      benchmark::DoNotOptimize(codes);
      sum += codes[ch];
    }
  }
  benchmark::DoNotOptimize(sum);
  state.SetItemsProcessed(state.iterations() * kChannels);
}
BENCHMARK(BM_PlainLoop_Baseline);

// One scan's worth of AcpRead per iteration, as the scan loop calls it.
void ReadEveryChannel(benchmark::State& state, tornel::Device& device) {
  int64_t sum = 0;
  for (auto _ : state)
    for (int16_t ch = 0; ch < kChannels; ++ch) sum += tornel::AcpRead(device, ch);
  benchmark::DoNotOptimize(sum);
  state.SetItemsProcessed(state.iterations() * kChannels);
}

void BM_AcpRead_Null(benchmark::State& state) {
  tornel::NullDevice device;
  ReadEveryChannel(state, device);
}
BENCHMARK(BM_AcpRead_Null);

void BM_TickClockLoop_Baseline(benchmark::State& state) {
  tornel::MonotonicTickClock clock;
  tornel::TickClock& ticks = clock;
  uint64_t sum = 0;
  for (auto _ : state)
    for (int ch = 0; ch < kChannels; ++ch) sum += ticks.Now();
  benchmark::DoNotOptimize(sum);
  state.SetItemsProcessed(state.iterations() * kChannels);
}
BENCHMARK(BM_TickClockLoop_Baseline);

void BM_AcpRead_SimulatedBench(benchmark::State& state) {
  tornel::MonotonicTickClock clock;
  tornel::SimulatedBench bench(clock);
  bench.Write(1, 900);  // a running drive, so the physics has work each tick
  bench.Write(0, 700);
  ReadEveryChannel(state, bench);
}
BENCHMARK(BM_AcpRead_SimulatedBench);

}  // namespace

BENCHMARK_MAIN();
