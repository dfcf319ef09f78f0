#pragma once

#include <string>

#include "core/analysis/transient_fit.h"
#include "core/scheme/block_factory.h"
#include "core/scheme/scheme.h"

namespace tornel {

// A fitted model to be run as a scheme.
struct FitSchemeModel {
  StepFit Fit;
  double EndTime = 1.0;  // the record's duration, s
  std::string Name;      // the channel's name, for the graph block's legend
};

// A scheme whose graph block draws the model in the channel's units: a unit
// step switching at StepTime + Delay into a lag (K, T) for a first-order
// model, or for a second-order one into the gain K and two integrators of
// T = 1/wn closed through two sums, the inner one over 2 zeta; the initial
// value joins through a sum from a constant. Its calculation settings run
// over the record's duration with a step that resolves the model. Throws
// UserError for a fit that did not converge.
Scheme BuildFitScheme(const BlockFactory& factory, const FitSchemeModel& model);

// The integration step for a model: fine against its fastest time constant
// and the run, on the 0.00001 s grid that the calculation dialog shows.
double FitSchemeStep(const StepFit& fit, double endTime);

}  // namespace tornel
