// A spectrum of a 10,000,000-frame channel must take under 2 s. It is set
// beside a plain read(2) of the same sample file (2 channels, 40 MB) through
// a buffer of the same size (BM_PlainRead), measured in the same run with
// the file in the page cache. BM_Spectrum is what tornel-tool spectrum
// computes; BM_Spectrum_Prime the same over 9,999,991 frames, a prime
// length; BM_SpectrumPlot adds the window's plot file (two doubles per
// bin). Each runs five times; compare the medians.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <numbers>
#include <random>
#include <string>
#include <vector>

#include "bench_file.h"
#include "core/records/graph_record.h"
#include "core/spectrum/spectrum_analysis.h"
#include "core/spectrum/spectrum_plot.h"
#include "plain_copy.h"

namespace {

constexpr int kChannels = 2;
constexpr int64_t kFrames = 10'000'000;
constexpr double kDuration = 1000;  // 10 kHz
// AmplitudeSpectrum reads 8192 frames at a time.
constexpr std::size_t kBufferBytes = 8192 * kChannels * sizeof(int16_t);

// Channel 1: 50 Hz with its 5th and 7th harmonics and noise, as a drive's
// current; channel 2: noise.
const std::string& SampleFile() {
  static const tornel::bench::BenchFile file(
      "tornel-bench-spectrum.bin", kFrames * kChannels,
      [rng = std::mt19937(7)](std::span<int16_t> chunk, int64_t first) mutable {
        for (std::size_t i = 0; i < chunk.size(); ++i) {
          const int64_t value = first + static_cast<int64_t>(i);
          const double t = static_cast<double>(value / kChannels) * kDuration / kFrames;
          const double w = 2 * std::numbers::pi * 50 * t;
          const double noise = static_cast<double>(rng() % 21) - 10;
          chunk[i] = static_cast<int16_t>(
              value % kChannels == 0 ? std::lround(8000 * std::sin(w) + 900 * std::sin(5 * w) +
                                                   500 * std::sin(7 * w) + noise)
                                     : std::lround(noise * 20));
        }
      });
  return file.Path();
}

const tornel::TGraphRecord& Record() {
  static tornel::TGraphRecord r = tornel::bench::BenchRecord(SampleFile(), 0b11, kDuration);
  return r;
}

void BM_PlainRead(benchmark::State& state) {
  const std::string& path = SampleFile();
  std::vector<char> buffer(kBufferBytes);
  for (auto _ : state) PlainRead(path, buffer);
}

void Analyze(benchmark::State& state, tornel::SpectrumRequest request) {
  const tornel::TGraphRecord& record = Record();
  for (auto _ : state) {
    const std::optional<tornel::SpectrumResult> r = tornel::AnalyzeSpectrum(record, request);
    if (!r || r->harmonics.empty()) {
      state.SkipWithError("no spectrum");
      break;
    }
    benchmark::DoNotOptimize(r->thdPct);
  }
}

void BM_Spectrum(benchmark::State& state) { Analyze(state, {}); }

void BM_Spectrum_Prime(benchmark::State& state) {
  tornel::SpectrumRequest request;
  request.to = (9'999'991 + 0.5) * kDuration / kFrames;
  Analyze(state, request);
}

void BM_SpectrumPlot(benchmark::State& state) {
  const tornel::TGraphRecord& record = Record();
  for (auto _ : state) {
    std::optional<tornel::SpectrumPlot> plot = tornel::SpectrumPlot::Make(record, {});
    if (!plot) {
      state.SkipWithError("no spectrum");
      break;
    }
    benchmark::DoNotOptimize(plot->Record().FrameCount);
  }
}

#define TORNEL_SPECTRUM_BENCH(name)   \
  BENCHMARK(name)                     \
      ->Unit(benchmark::kMillisecond) \
      ->Iterations(1)                 \
      ->Repetitions(5)                \
      ->UseRealTime()                 \
      ->ReportAggregatesOnly(true)
TORNEL_SPECTRUM_BENCH(BM_PlainRead);
TORNEL_SPECTRUM_BENCH(BM_Spectrum);
TORNEL_SPECTRUM_BENCH(BM_Spectrum_Prime);
TORNEL_SPECTRUM_BENCH(BM_SpectrumPlot);

}  // namespace

BENCHMARK_MAIN();
