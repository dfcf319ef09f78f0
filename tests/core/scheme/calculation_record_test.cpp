// What a run leaves in the graph block's record: real-time runs on a
// model-time grid, and a failed run leaves the previous record whole.
#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>

#include "core/scheme/scheme_calculation.h"
#include "core/text/user_error.h"
#include "scheme_fixture.h"
#include "tests/support/fake_device.h"
#include "tests/support/fake_tick_clock.h"
#include "tests/support/file_size_limit.h"

namespace tornel {
namespace {

class CalculationRecordTest : public testing::SchemeTest {
protected:
  // A constant 1 into an integrator with T = 1: its output is the model
  // time itself, which RK4 and linear interpolation both keep exactly.
  void ModelClock() {
    TBlock* one = Place(kKindStep);
    one->Params = {1.0, -1.0, 1.0};
    TBlock* integr = Place(kKindIntegr);
    Connect(one, integr);
    graph = Place(kKindGraph);
    Connect(integr, graph, 0);
  }
  RunResult Run(double end, double step, bool realTime) {
    SchemeCalculation calc(device, clock, table);
    return calc.Run(scheme, {end, step, realTime});
  }
  std::vector<double> Samples() const {
    const std::string bytes = testing::ReadBytes(graph->Record->SampleFile);
    std::vector<double> v(bytes.size() / 8);
    if (!v.empty()) std::memcpy(v.data(), bytes.data(), v.size() * 8);
    return v;
  }
  std::size_t TempFiles() const {
    return static_cast<std::size_t>(std::distance(std::filesystem::directory_iterator(dir.Path()),
                                                  std::filesystem::directory_iterator()));
  }

  testing::FakeTickClock clock;
  testing::FakeDevice device{&clock};
  TBlock* graph = nullptr;
};

TEST_F(CalculationRecordTest, RealTimeRunRecordsOnTheGridOfTheDialogsStep) {
  // The clock moves `ms` a reading. The first batch of 10 ticks runs at the
  // dialog's step, later ones at (elapsed / 10 / batches); the run ends when
  // the clock reaches the end time. Worked by hand:
  //  2 ms a tick, step 0.001, end 0.05: 10 ticks to t = 0.01, 10 of 0.002 to
  //    0.03, 5 of 0.002 to 0.04: 40 points, the odd ones between two ticks;
  //  1 ms a tick, step 0.01, end 0.05: model time runs ahead to 0.14, but
  //    the record stops at end / step = 5 points.
  const struct {
    uint32_t ms;
    double step;
    std::size_t frames;
    double duration;
  } cases[] = {{2, 0.001, 40, 0.04}, {1, 0.01, 5, 0.05}};
  ModelClock();
  for (const auto& c : cases) {
    clock.SetAutoAdvance(c.ms);
    Run(0.05, c.step, true);
    const std::vector<double> v = Samples();
    ASSERT_EQ(v.size(), c.frames) << c.step;
    for (std::size_t k = 0; k < v.size(); ++k) {
      EXPECT_NEAR(v[k], static_cast<double>(k + 1) * c.step, 1e-12) << c.step << " point " << k;
    }
    EXPECT_EQ(graph->Record->Duration, c.duration);
    EXPECT_EQ(graph->Record->TMax, c.duration);
  }
}

TEST_F(CalculationRecordTest, FailedSampleWriteLeavesThePreviousRecordWhole) {
  ModelClock();
  Run(0.01, 0.001, false);
  const TGraphRecord& record = *graph->Record;
  const std::string samples = testing::ReadBytes(record.SampleFile);
  ASSERT_EQ(samples.size(), 10u * 8);
  const std::size_t files = TempFiles();

  // A second input makes frames of two values, which a full disk cuts short.
  Connect(Place(kKindStep), graph, 3);
  {
    testing::FileSizeLimit limit(1000);
    EXPECT_THROW(Run(1.0, 0.001, false), UserError);
  }
  EXPECT_EQ(record.AcpMask, 1);
  EXPECT_EQ(record.Duration, 0.01);
  EXPECT_EQ(testing::ReadBytes(record.SampleFile), samples);
  EXPECT_EQ(TempFiles(), files) << "the cut file is gone";

  Run(0.002, 0.001, false);
  EXPECT_EQ(record.AcpMask, 9);
  EXPECT_EQ(Samples(), (std::vector<double>{0.001, 0, 0.002, 0}));
  EXPECT_EQ(TempFiles(), files) << "the previous samples are gone";
}

}  // namespace
}  // namespace tornel
