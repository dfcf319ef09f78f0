#pragma once

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <vector>

#include "core/scheme/scheme_calculation.h"
#include "scheme_fixture.h"
#include "tests/support/fake_device.h"
#include "tests/support/fake_tick_clock.h"
#include "tests/support/file_size_limit.h"

namespace tornel::testing {

// Simulated-time runs stopped twice over: a frame cap ends the run and a file
// size limit ends the sample file, so that an engine that never reaches its
// end time fails at once instead of filling the disk.
class BoundedRunTest : public SchemeTest {
protected:
  static constexpr uint64_t kFrameCap = 4096;

  BoundedRunTest() { clock.SetAutoAdvance(1); }

  void Fresh() {
    scheme = Scheme(factory);
    graph = nullptr;
  }
  TBlock* Block(int kind, std::array<double, 3> params) {
    TBlock* block = Place(kind);
    block->Params = params;
    return block;
  }
  // A step that switched at -1 s: the value from t = 0 on.
  TBlock* Constant(double value) { return Block(kKindStep, {value, -1.0, 1.0}); }
  // Feeds graph input `input` (in order from 0) from `source`.
  void Show(TBlock* source, int input) {
    if (!graph) graph = Place(kKindGraph);
    Connect(source, graph, input);
  }

  // One vector of the shown values per tick, at most kFrameCap ticks.
  std::vector<std::vector<double>> Frames(double end, double step) {
    SchemeCalculation calc(device, clock, table);
    calc.SetProgress([](const RunProgress& p) { return p.Ticks < kFrameCap; }, 1);
    std::size_t inputs = 0;
    for (bool connected : graph->InConnected) inputs += connected ? 1 : 0;
    {
      FileSizeLimit limit((kFrameCap + 1) * inputs * sizeof(double));
      calc.Run(scheme, {end, step, false});
    }
    const std::string bytes = ReadBytes(graph->Record->OrigFile);
    std::vector<std::vector<double>> frames(bytes.size() / (inputs * sizeof(double)),
                                            std::vector<double>(inputs));
    for (std::size_t f = 0; f < frames.size(); ++f) {
      std::memcpy(frames[f].data(), bytes.data() + f * inputs * sizeof(double),
                  inputs * sizeof(double));
    }
    return frames;
  }

  FakeTickClock clock;
  FakeDevice device{&clock};
  TBlock* graph = nullptr;
};

}  // namespace tornel::testing
