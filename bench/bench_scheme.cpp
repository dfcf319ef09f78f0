// The scheme calculation on the drive loop — step (0 -> 1 at 0.1 s) -> sum
// (r - y) -> PI (K 2, T 0.05) -> limiter +-1.5 -> lag (K 1, T 0.01) ->
// integrator (T 0.2) -> back into the sum, the graph block on the
// integrator and the limiter — for 10 s at h = 1e-5 (1,000,000 steps),
// samples streamed to a real file (BM_Engine_DriveLoop_1M), beside the same
// equations in the same evaluation order written out by hand with the same
// file writing and summary (BM_HandLoop_DriveLoop_1M, same run). Target: the
// engine within 1.3x the hand loop per step (Release build, medians of
// repeats: --benchmark_repetitions=9). BM_Engine_LagChain/N runs chains of N
// lags for 1,000,000 block-steps: the time per block-step should stay within
// 2x of the 10-block chain.
#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <cstdlib>

#include "core/config/channel_table.h"
#include "core/device/null_device.h"
#include "core/device/tick_clock.h"
#include "core/records/frame_block_writer.h"
#include "core/records/temp_file.h"
#include "core/scheme/fixed_text_measure.h"
#include "core/scheme/line_edit.h"
#include "core/scheme/place_block_edit.h"
#include "core/scheme/scheme_calculation.h"
#include "drive_loop_by_hand.h"

namespace tornel {
namespace {

constexpr double kStep = 1e-5;
constexpr double kEnd = 10.0;

struct Bench {
  Bench() { table.Tzi = 0; }
  TBlock* Place(int kind, std::array<double, 3> params) {
    PlaceBlockEdit edit(scheme, kind, {0, 0});
    edit.Apply(scheme);
    edit.Block()->Params = params;
    return edit.Block();
  }
  void Connect(TBlock* source, TBlock* dest, int input = 0) {
    LineEdit::Start(scheme, source, 0)->Apply(scheme);
    LineEdit::Complete(scheme, dest, input)->Apply(scheme);
  }
  RunResult Run(double end) {
    SchemeCalculation calculation(device, clock, table);
    return calculation.Run(scheme, {end, kStep, false});
  }

  FixedTextMeasure measure;
  ChannelTable table;
  BlockFactory factory{measure, table};
  Scheme scheme{factory};
  NullDevice device;
  MonotonicTickClock clock;
};

void BM_Engine_DriveLoop_1M(benchmark::State& state) {
  Bench b;
  TBlock* step = b.Place(kKindStep, {1.0, 0.1, 1.0});
  TBlock* sum = b.Place(kKindSum, {1, 1, 1});
  TBlock* pi = b.Place(kKindPIReg, {2.0, 0.05, 0.0});
  TBlock* ogr = b.Place(kKindOgr, {1.5, 1, 1});
  TBlock* lag = b.Place(kKindAperiod, {1.0, 0.01, 0.0});
  TBlock* integr = b.Place(kKindIntegr, {0.2, 1.0, 0.0});
  TBlock* graph = b.Place(kKindGraph, {1, 1, 1});
  b.Connect(step, sum, 0);
  b.Connect(integr, sum, 1);
  b.Connect(sum, pi);
  b.Connect(pi, ogr);
  b.Connect(ogr, lag);
  b.Connect(lag, integr);
  b.Connect(integr, graph, 0);
  b.Connect(ogr, graph, 1);
  uint64_t ticks = 0;
  for (auto _ : state) ticks += b.Run(kEnd).Ticks;
  state.counters["ns_per_step"] = benchmark::Counter(
      static_cast<double>(ticks), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_Engine_DriveLoop_1M)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_HandLoop_DriveLoop_1M(benchmark::State& state) {
  const std::string path = CreateTempFile("Trn");
  uint64_t ticks = 0;
  for (auto _ : state) {
    FrameBlockWriter<double> writer(path, 2, true);
    ticks += DriveLoopByHand(kStep, kEnd, [&](double integrator, double limiter) {
      double* frame = writer.Next();
      frame[0] = integrator;
      frame[1] = limiter;
    });
    writer.Close();
  }
  RemoveFileIfExists(path);
  state.counters["ns_per_step"] = benchmark::Counter(
      static_cast<double>(ticks), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_HandLoop_DriveLoop_1M)->Unit(benchmark::kMillisecond)->UseRealTime();

void BM_Engine_LagChain(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  Bench b;
  TBlock* previous = b.Place(kKindStep, {1.0, -1.0, 1.0});
  for (int i = 0; i < n; ++i) {
    TBlock* lag = b.Place(kKindAperiod, {1.0, 0.01, 0.0});
    b.Connect(previous, lag);
    previous = lag;
  }
  b.Connect(previous, b.Place(kKindGraph, {1, 1, 1}), 0);
  const double steps = 1e6 / n;
  uint64_t blockSteps = 0;
  for (auto _ : state) blockSteps += b.Run(steps * kStep).Ticks * static_cast<uint64_t>(n);
  state.counters["ns_per_block_step"] = benchmark::Counter(
      static_cast<double>(blockSteps), benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
BENCHMARK(BM_Engine_LagChain)
    ->Arg(10)
    ->Arg(100)
    ->Arg(1000)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace
}  // namespace tornel

BENCHMARK_MAIN();
