// Transient analysis over long records. The step metrics of a 16-channel
// record of 10,000,000 frames (320 MB) stand beside a plain read(2) of the
// same file through a buffer of the same size (BM_PlainRead), measured in
// the same run with the file in the page cache: the target is within twice
// the plain read. The fits of a channel of 10,000,000 frames (a decimated
// pass, the solver from every start, and the residuals over every frame)
// must each take under a second: a lag's first-order fit, an oscillation's
// second-order fit, and the second-order fit of a lag, which has no finite
// optimum and runs the solver to its limit.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "bench_file.h"
#include "core/analysis/step_metrics.h"
#include "core/analysis/transient_fit.h"
#include "plain_copy.h"

namespace {

constexpr int kChannels = 16;
constexpr int64_t kFrames = 10'000'000;
constexpr double kDuration = 100.0;  // 10 us frames
constexpr double kStepTime = 10.0;
// MeasureSteps reads 4096 frames at a time.
constexpr std::size_t kBufferBytes = 4096 * kChannels * sizeof(int16_t);

// Every channel steps at 10 s to a level of its own, with +-10 codes of
// noise: through a lag of its own (0.1 .. 1.6 s), or, for the channels named
// in `oscillating`, through zeta = 0.3, wn = 20 rad/s.
auto StepFill(int channels, unsigned oscillating = 0) {
  return [=, rng = std::mt19937(11)](std::span<int16_t> chunk, int64_t first) mutable {
    for (std::size_t i = 0; i < chunk.size(); ++i) {
      const int64_t value = first + static_cast<int64_t>(i);
      const int channel = static_cast<int>(value % channels);
      const double t = static_cast<double>(value / channels) * kDuration / kFrames - kStepTime;
      const double level = 100.0 + 20.0 * channel;
      double shape = 0;
      if (t > 0 && ((oscillating >> channel) & 1u)) {
        const double r = std::sqrt(1 - 0.09);
        shape = 1 - std::exp(-6 * t) * (std::cos(20 * r * t) + 0.3 / r * std::sin(20 * r * t));
      } else if (t > 0) {
        shape = 1 - std::exp(-t / (0.1 * (channel + 1)));
      }
      chunk[i] =
          static_cast<int16_t>(std::lround(level * shape) + static_cast<int>(rng() % 21) - 10);
    }
  };
}

const std::string& WideFile() {
  static const tornel::bench::BenchFile file("tornel-bench-analysis-16.bin", kFrames * kChannels,
                                             StepFill(kChannels));
  return file.Path();
}

const std::string& NarrowFile() {
  static const tornel::bench::BenchFile file("tornel-bench-analysis-2.bin", kFrames * 2,
                                             StepFill(2, 0b10));
  return file.Path();
}

tornel::TransientSource Source(const std::string& path, int channels) {
  tornel::TransientSource s;
  s.Path = path;
  s.Channels = channels;
  s.Frames = kFrames;
  s.Duration = kDuration;
  return s;
}

std::vector<tornel::AnalysisChannel> Channels(int count) {
  std::vector<tornel::AnalysisChannel> channels(static_cast<std::size_t>(count));
  for (int c = 0; c < count; ++c) {
    channels[static_cast<std::size_t>(c)].Position = c;
    channels[static_cast<std::size_t>(c)].Scale = 1.0;
  }
  return channels;
}

void BM_PlainRead(benchmark::State& state) {
  const std::string& path = WideFile();
  std::vector<char> buffer(kBufferBytes);
  for (auto _ : state) PlainRead(path, buffer);
  state.SetBytesProcessed(state.iterations() * kFrames * kChannels * 2);
}

void BM_StepMetrics16(benchmark::State& state) {
  const tornel::TransientSource source = Source(WideFile(), kChannels);
  const std::vector<tornel::AnalysisChannel> channels = Channels(kChannels);
  for (auto _ : state) {
    const auto m = tornel::MeasureSteps(source, channels, {kStepTime, 5});
    if (!m[15].HasStep || !m[15].SettlingTime) state.SkipWithError("no step measured");
    benchmark::DoNotOptimize(m.data());
  }
  state.SetBytesProcessed(state.iterations() * kFrames * kChannels * 2);
}

void Fit(benchmark::State& state, int channel, tornel::FitKind kind) {
  const tornel::TransientSource source = Source(NarrowFile(), 2);
  const std::vector<tornel::AnalysisChannel> channels = Channels(2);
  const tornel::StepOptions options{kStepTime, 5};
  const tornel::StepMetrics metrics = tornel::MeasureSteps(source, channels, options).at(channel);
  for (auto _ : state) {
    const tornel::StepFit fit = tornel::FitStep(source, channels[channel], metrics, options, kind);
    benchmark::DoNotOptimize(fit.Rms);
    state.counters["converged"] = fit.Converged;
  }
  state.SetItemsProcessed(state.iterations() * kFrames);
}

void BM_FitFirstOrderLag(benchmark::State& state) { Fit(state, 0, tornel::FitKind::First); }
void BM_FitSecondOrderOscillation(benchmark::State& state) {
  Fit(state, 1, tornel::FitKind::Second);
}
void BM_FitSecondOrderLag(benchmark::State& state) { Fit(state, 0, tornel::FitKind::Second); }

BENCHMARK(BM_PlainRead)->Unit(benchmark::kMillisecond)->Repetitions(5)->UseRealTime();
BENCHMARK(BM_StepMetrics16)->Unit(benchmark::kMillisecond)->Repetitions(5)->UseRealTime();
BENCHMARK(BM_FitFirstOrderLag)->Unit(benchmark::kMillisecond)->Repetitions(3)->UseRealTime();
BENCHMARK(BM_FitSecondOrderOscillation)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(3)
    ->UseRealTime();
BENCHMARK(BM_FitSecondOrderLag)->Unit(benchmark::kMillisecond)->Repetitions(3)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
