#pragma once

#include <cstdint>
#include <functional>

#include "core/config/channel_table.h"
#include "core/device/busy_cursor.h"
#include "core/device/device.h"
#include "core/device/tick_clock.h"
#include "core/scheme/model_tables.h"
#include "core/scheme/scheme.h"

namespace tornel {

struct RunSettings {
  double EndTime = 1.0;
  double Step = 0.001;
  // Paced by the tick clock, the step following the measured time per tick.
  bool RealTime = false;
};

struct RunProgress {
  uint64_t Ticks = 0;
  double Time = 0;     // model time reached
  double Elapsed = 0;  // seconds of the tick clock (real-time runs)
  double EndTime = 0;
};

struct RunResult {
  uint64_t Ticks = 0;
  double Time = 0;  // model time reached
  double Step = 0;  // the step used; a real-time run's is the measured one
  bool Cancelled = false;
  bool Samples = false;  // the graph block has new samples
};

// Runs a scheme: exchanges values with the bench through its ADC and DAC
// blocks at every tick, streams the graph block's inputs into its sample file
// and hands it the results. The device, clock and table are not owned.
class SchemeCalculation {
public:
  SchemeCalculation(Device& device, TickClock& clock, const ChannelTable& table)
      : device_(device), clock_(clock), table_(table) {}

  // Called every `everyTicks` ticks; returning false stops the run after that
  // tick, keeping the samples written so far.
  void SetProgress(std::function<bool(const RunProgress&)> progress, uint32_t everyTicks = 4096) {
    progress_ = std::move(progress);
    everyTicks_ = everyTicks == 0 ? 1 : everyTicks;
  }
  void SetBusyCursor(BusyCursor* cursor) { cursor_ = cursor; }

  // Checks the settings and the blocks first, and refuses with a UserError
  // before anything runs: a step that is not above zero, one too small to
  // move the end time on, a divisor parameter of 0, samples that would not
  // fit in the temporary folder. Then ramps the DACs in use to zero, runs
  // (an end time of 0 or less runs no tick), gives the graph block its
  // samples and ramps the DACs back from the last levels sent. A real-time
  // run records on the grid of the dialog's step (UniformGridSampler), at
  // most EndTime / Step frames. Sets the scheme's Step, EndTime and Time. A
  // run that fails leaves the graph block's record as it was and brings the
  // DACs back before its error goes on.
  RunResult Run(Scheme& scheme, const RunSettings& settings);

private:
  struct Loop;

  Device& device_;
  TickClock& clock_;
  const ChannelTable& table_;
  BusyCursor* cursor_ = nullptr;
  std::function<bool(const RunProgress&)> progress_;
  uint32_t everyTicks_ = 4096;
};

// For a run that must compute something (the command line): an end time
// and a step that are finite numbers above zero, else UserError
// "Время расчета должно быть больше нуля" or
// "Шаг по времени должен быть больше нуля" ("... конечным числом" for an
// infinite or undefined value).
void CheckRunSettings(const RunSettings& settings);

// The divisor parameters that may not be 0; throws UserError naming the
// first block and parameter found, for example
// "Блок «Интегратор»: «Постоянная времени T» не может быть равна 0".
void CheckDivisors(const Scheme& scheme);

// The bytes of samples a run writes (an upper bound).
double SampleBytesNeeded(const ModelTables& tables, const RunSettings& settings);

}  // namespace tornel
