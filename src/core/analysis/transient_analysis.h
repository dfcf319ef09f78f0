#pragma once

#include <functional>
#include <string>
#include <vector>

#include "core/analysis/step_metrics.h"
#include "core/analysis/transient_fit.h"
#include "core/analysis/transient_source.h"

namespace tornel {

struct ChannelAnalysis {
  AnalysisChannel Channel;
  StepMetrics Metrics;
  StepFit Fit;
};

// The metrics, and the fits when asked for, of several channels of one
// record: what the graph window shows and the command-line tool prints.
struct TransientAnalysis {
  StepOptions Options;
  FitKind Fit = FitKind::None;
  std::vector<ChannelAnalysis> Channels;
};

// Called after each stage of the work: `done` of `total` (the metrics, then
// one fit per channel).
using AnalysisProgress = std::function<void(int done, int total)>;

// MeasureSteps over all channels in one pass, then a fit per channel with a
// step. Throws MeasureSteps' and FitStep's UserErrors.
TransientAnalysis AnalyseTransient(const TransientSource& source,
                                   const std::vector<AnalysisChannel>& channels,
                                   const StepOptions& options, FitKind fit,
                                   const FitOptions& fitOptions = {},
                                   const AnalysisProgress& progress = {});

// What the user must know about one channel's result: "Нет скачка на канале
// N", or that its fit did not converge; empty otherwise.
std::string ChannelNote(const ChannelAnalysis& channel);

// The results as lines of tab-separated cells: a row per quantity, named in
// the first cell, and a column per channel. `digits` significant digits with
// `separator` as the decimal sign, or every digit when it is negative.
// Missing times read "—", a record that never settles "не установился".
std::string AnalysisTableText(const TransientAnalysis& analysis, char separator, int digits = -1);

}  // namespace tornel
