// A static point reads all 16 channels as often as the device answers in one
// second, so the averaging must cost next to nothing beside the reads: the
// one-second measurement should pass through at least 0.8 of the passes of
// a hand-written loop doing the same reads, zero codes, sums and clock checks
// (the baseline, measured in the same run). A clock that moves 1 ms every
// 100 looks makes each "second" 100 000 passes.
#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <cstdint>

#include "core/device/asmcode.h"
#include "core/device/null_device.h"
#include "core/device/one_second_measurement.h"
#include "core/device/tick_clock.h"

namespace {

constexpr int kChannels = 16;
constexpr int kPasses = 100000;

class CountingClock final : public tornel::TickClock {
public:
  uint32_t Now() override { return static_cast<uint32_t>(calls_++ / 100); }

private:
  uint64_t calls_ = 0;
};

void BM_HandWrittenSecond_Baseline(benchmark::State& state) {
  tornel::NullDevice device;
  std::array<int16_t, kChannels> zero{};
  for (int ch = 0; ch < kChannels; ++ch) zero[ch] = static_cast<int16_t>(ch);
  for (auto _ : state) {
    CountingClock clock;
    std::array<long double, kChannels> sums{};
    long double count = 0;
    uint32_t start = clock.Now();
    do {
      for (int ch = 0; ch < kChannels; ++ch) {
        auto v = static_cast<int16_t>(tornel::AcpRead(device, static_cast<int16_t>(ch)) + zero[ch]);
        sums[ch] += ch < 4 ? static_cast<int32_t>(v) * v : v;
      }
      count += 1;
    } while (clock.Now() - start < tornel::kMeasurementMs);
    for (int ch = 0; ch < kChannels; ++ch)
      benchmark::DoNotOptimize(std::trunc(ch < 4 ? std::sqrt(sums[ch] / count) : sums[ch] / count));
  }
  state.SetItemsProcessed(state.iterations() * kPasses);
}
BENCHMARK(BM_HandWrittenSecond_Baseline)->Unit(benchmark::kMillisecond);

void BM_MeasureOneSecond(benchmark::State& state) {
  tornel::NullDevice device;
  tornel::MeasurementRequest request;
  request.Channels = 0xFFFF;
  request.RmsMask = 0x000F;
  for (int ch = 0; ch < kChannels; ++ch) request.Zero[ch] = static_cast<int16_t>(ch);
  for (auto _ : state) {
    CountingClock clock;
    benchmark::DoNotOptimize(tornel::MeasureOneSecond(device, clock, request));
  }
  state.SetItemsProcessed(state.iterations() * kPasses);
}
BENCHMARK(BM_MeasureOneSecond)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
