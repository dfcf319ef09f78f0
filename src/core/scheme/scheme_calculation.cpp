#include "core/scheme/scheme_calculation.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <limits>
#include <optional>
#include <vector>

#include "core/device/asmcode.h"
#include "core/device/dac_routines.h"
#include "core/records/frame_block_writer.h"
#include "core/records/grid_time.h"
#include "core/records/temp_file.h"
#include "core/scheme/graph_block_record.h"
#include "core/scheme/uniform_grid_sampler.h"
#include "core/text/user_error.h"

namespace tornel {
namespace {

constexpr int kBatchTicks = 10;

// Toward zero, held far inside int so that a wild value (or NaN, which
// counts as 0) can never overflow on its way to a DAC code.
int TruncToCode(double value) {
  if (!(value == value)) return 0;
  return static_cast<int>(std::clamp(value, -1e6, 1e6));
}

int16_t ToLevel(int value) { return static_cast<int16_t>(std::clamp(value, -32768, 32767)); }

// The parameter a kind divides by, and its dialog name; null for the others.
const char* DivisorName(const TBlock& block, double& value) {
  switch (block.Kind) {
    case kKindIntegr:
      value = block.Params[0];
      return "Постоянная времени T";
    case kKindAperiod:
    case kKindPIReg:
      value = block.Params[1];
      return "Постоянная времени T";
    case kKindZi:
      value = block.Params[0];
      return "Tзи";
    default:
      return nullptr;
  }
}

std::string Megabytes(double bytes) {
  return std::to_string(static_cast<uint64_t>(std::ceil(bytes / (1024.0 * 1024.0)))) + " МБ";
}

void CheckSpace(double needed) {
  std::error_code ec;
  const auto space = std::filesystem::space(SystemTempFolder(), ec);
  if (ec) return;  // nothing known: the writer reports a full disk itself
  // The previous run's samples stay until the new ones are complete.
  const auto available = static_cast<double>(space.available);
  if (needed > available) {
    throw UserError("Для отсчётов графика нужно " + Megabytes(needed) +
                    ", а во временной папке свободно " + Megabytes(available));
  }
}

}  // namespace

void CheckRunSettings(const RunSettings& settings) {
  const auto check = [](double value, const std::string& mustBe) {
    if (std::isinf(value) || std::isnan(value)) throw UserError(mustBe + " конечным числом");
    if (!(value > 0)) throw UserError(mustBe + " больше нуля");
  };
  check(settings.EndTime, "Время расчета должно быть");
  check(settings.Step, "Шаг по времени должен быть");
}

void CheckDivisors(const Scheme& scheme) {
  for (const auto& block : scheme.Blocks()) {
    double value = 1.0;
    const char* name = DivisorName(*block, value);
    if (name && value == 0.0) {
      throw UserError("Блок «" + block->Hint + "»: «" + name + "» не может быть равна 0");
    }
  }
}

double SampleBytesNeeded(const ModelTables& tables, const RunSettings& settings) {
  if (tables.GraphCount == 0 || !(settings.EndTime > 0)) return 0.0;
  const double ticks = std::ceil(settings.EndTime / settings.Step) + 1;
  return ticks * tables.GraphCount * static_cast<double>(sizeof(double));
}

struct SchemeCalculation::Loop {
  Loop(SchemeCalculation& owner, Scheme& scheme, const RunSettings& settings)
      : owner(owner),
        scheme(scheme),
        tables(BuildModelTables(scheme)),
        realTime(settings.RealTime),
        step(settings.Step),
        caps(std::clamp<int>(owner.table_.CapCount, 0, kAcpChannels)) {
    for (int ch = 0; ch < kAcpChannels; ++ch) {
      if ((tables.AcpMask >> ch) & 1) acpChannels.push_back(ch);
      if (ch < caps && ((tables.CapMask >> ch) & 1)) capChannels.push_back(ch);
    }
  }

  SchemeCalculation& owner;
  Scheme& scheme;
  ModelTables tables;
  bool realTime;
  double step;
  std::optional<FrameBlockWriter<double>> out;
  // Real-time runs record on the grid of the dialog's step.
  std::optional<UniformGridSampler> grid;
  std::vector<double> frame;
  std::vector<int> acpChannels, capChannels;
  std::array<int16_t, kAcpChannels> levels{};
  int caps;
  uint64_t ticks = 0;
  bool cancelled = false;

  void Tick() {
    ModelTables& t = tables;
    const auto& offset = owner.table_.Offset;
    for (int ch : acpChannels) {
      t.V[t.B + ch] =
          (AcpRead(owner.device_, static_cast<int16_t>(ch)) + offset[ch]) * kCodeToModel;
    }
    RkStep(t, scheme.Time, step);
    for (int ch : capChannels) {
      const double v = t.V[t.Src[t.CapSrc(ch)]];
      const int zero = offset[kCapSlotBase + ch];
      // The two loops truncate at different points, as they always have.
      const int code = realTime ? TruncToCode(v * 511 + zero) : zero + TruncToCode(v * 511);
      const int16_t sent = ClampCapCode(code);
      CapWrite(owner.device_, static_cast<int16_t>(ch), sent);
      levels[ch] = ToLevel(sent - zero);
    }
    if (out) {
      if (grid) {
        for (int k = 0; k < t.GraphCount; ++k) frame[k] = t.V[t.GraphSources[k]];
        grid->Advance(scheme.Time, frame, [&](std::span<const double> f) {
          std::copy(f.begin(), f.end(), out->Next());
        });
      } else {
        double* f = out->Next();
        for (int k = 0; k < t.GraphCount; ++k) f[k] = t.V[t.GraphSources[k]];
      }
    }
    ++ticks;
  }

  // The tick count at which progress is next reported.
  uint64_t NextReport() const {
    if (!owner.progress_) return std::numeric_limits<uint64_t>::max();
    return ticks + (owner.everyTicks_ - ticks % owner.everyTicks_);
  }

  // False when the caller asks to stop.
  bool Report(double elapsed, double endTime) {
    return owner.progress_({ticks, scheme.Time, elapsed, endTime});
  }

  void RunSimulated(double endTime) {
    while (scheme.Time < endTime) {
      const uint64_t report = NextReport();
      while (ticks < report && scheme.Time < endTime) Tick();
      if (ticks == report && !Report(0.0, endTime)) {
        cancelled = true;
        return;
      }
    }
  }

  void RunRealTime(double endTime) {
    TickClock& clock = owner.clock_;
    const uint32_t start = clock.Now();
    double elapsed = 0;
    uint64_t batches = 0;
    uint64_t report = NextReport();
    while (elapsed < endTime) {
      ++batches;
      for (int i = 0; i < kBatchTicks; ++i) {
        Tick();
        elapsed = TicksSince(start, clock.Now()) * 0.001;
        if (ticks == report) {
          report = NextReport();
          if (!Report(elapsed, endTime)) {
            cancelled = true;
            break;
          }
        }
        if (elapsed >= endTime) break;
      }
      step = elapsed / kBatchTicks / static_cast<double>(batches);
      if (cancelled) return;
    }
  }

  std::span<const int16_t> Levels() const { return {levels.data(), static_cast<size_t>(caps)}; }
};

RunResult SchemeCalculation::Run(Scheme& scheme, const RunSettings& settings) {
  if (!(settings.Step > 0)) throw UserError("Шаг по времени должен быть больше нуля");
  if (settings.EndTime > 0 && settings.EndTime + settings.Step == settings.EndTime) {
    throw UserError("Шаг по времени слишком мал для времени расчета");
  }
  CheckDivisors(scheme);
  Loop loop(*this, scheme, settings);
  TBlock* graph = scheme.GraphBlock();
  const bool samples = graph && graph->Record && loop.tables.GraphCount > 0;
  if (samples) CheckSpace(SampleBytesNeeded(loop.tables, settings));

  loop.levels.fill(0);
  RampCapToZero(device_, table_, clock_, loop.Levels(), cursor_);
  scheme.Time = 0.0;
  scheme.EndTime = settings.EndTime;
  // The new samples go to a file of their own, so that a run that fails
  // leaves the graph block's previous record whole.
  std::string sampleFile;
  try {
    if (samples) {
      sampleFile = TGraphRecord::MakeTempName();
      loop.out.emplace(sampleFile, loop.tables.GraphCount, true);
      loop.frame.assign(loop.tables.GraphCount, 0.0);
      for (int k = 0; k < loop.tables.GraphCount; ++k) {
        loop.frame[k] = loop.tables.V[loop.tables.GraphSources[k]];
      }
      if (settings.RealTime) {
        loop.grid.emplace(settings.Step,
                          UniformGridSampler::PointsWithin(settings.EndTime, settings.Step),
                          loop.frame);
      }
    }
    if (settings.RealTime) {
      loop.RunRealTime(settings.EndTime);
    } else {
      loop.RunSimulated(settings.EndTime);
    }
    if (loop.out) loop.out->Close();
  } catch (...) {
    loop.out.reset();
    RemoveFileIfExists(sampleFile);
    RampCapToZero(device_, table_, clock_, loop.Levels(), cursor_);
    throw;
  }
  if (samples) {
    double duration = loop.cancelled ? scheme.Time : settings.EndTime;
    if (loop.grid) duration = GridTime(loop.grid->Frames(), settings.Step);
    SetGraphBlockResults(*graph->Record, sampleFile, duration, loop.tables.GraphMask);
    // Summarised on the way: drawing needs no pass over the samples.
    if (auto summary = loop.out->TakeSummary()) {
      graph->Record->Summaries.Put(sampleFile, std::move(*summary));
    }
  }
  RampCapToZero(device_, table_, clock_, loop.Levels(), cursor_);
  scheme.Step = loop.step;
  return {loop.ticks, scheme.Time, loop.step, loop.cancelled, samples};
}

}  // namespace tornel
