#pragma once

#include "core/analysis/step_metrics.h"
#include "core/analysis/transient_source.h"

namespace tornel {

enum class FitKind { None, First, Second };

// A model of a step response fitted to a channel, in its physical units:
// y = Initial until StepTime + Delay, then Initial + Gain times the unit
// response of a first-order lag (TimeConstant) or of a second-order system
// (Damping, NaturalFrequency in rad/s). Rms is the root mean square of
// y - model over every frame at or after the step.
struct StepFit {
  FitKind Kind = FitKind::None;
  bool Converged = false;
  double Gain = 0;
  double TimeConstant = 0;
  double Damping = 0;
  double NaturalFrequency = 0;
  double Delay = 0;
  double Rms = 0;
  double Initial = 0;
  double StepTime = 0;
};

// The model's value at record time t.
double StepFitValue(const StepFit& fit, double t);

struct FitOptions {
  int MaxEvaluations = 400;  // per start of the solver
  int PointsPerPart = 2000;  // of the decimated copy, see DecimatedSeries
};

// Fits `kind` by least squares to a decimated copy of the channel that is
// finer over the transient (up to twice its settling time), starting from
// estimates taken from the metrics, then measures Rms on every frame. Gain
// takes the sign of the step; TimeConstant, Damping and NaturalFrequency stay
// above 0 and Delay at or above 0. A channel without a step, or a solver
// that stops without converging, gives Converged false. Throws UserError
// when the file cannot be read.
StepFit FitStep(const TransientSource& source, const AnalysisChannel& channel,
                const StepMetrics& metrics, const StepOptions& options, FitKind kind,
                const FitOptions& fitOptions = {});

}  // namespace tornel
