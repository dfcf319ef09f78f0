#include "core/fit_scheme/fit_scheme.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>
#include <vector>

#include "core/analysis/step_response.h"
#include "core/scheme/block_kind.h"
#include "core/scheme/block_labels.h"
#include "core/text/user_error.h"

namespace tornel {
namespace {

constexpr double kStepGrid = 1e-5;  // the calculation dialog shows 5 decimals
constexpr int kGap = 40;
// The rows: the forward path, then the feedbacks below it.
constexpr int kRowCentre = 80;
constexpr int kFeedbackCentre = 160;
constexpr int kUnityCentre = 230;
constexpr int kRowStep = 70;

// Blocks placed left to right with their output ports on one row.
class Builder {
public:
  explicit Builder(const BlockFactory& factory) : factory_(factory), scheme_(factory) {}

  TBlock* Add(int8_t kind, std::array<double, 3> params, bool option = false) {
    std::unique_ptr<TBlock> block = factory_.CreateBlock(kind);
    block->Params = params;
    block->Option = option;
    UpdateLabels(*block, factory_.Labels());
    TBlock* raw = block.get();
    scheme_.InsertBlock(scheme_.Blocks().size(), std::move(block));
    return raw;
  }
  // The next block of the row.
  TBlock* Next(int8_t kind, std::array<double, 3> params, bool option = false) {
    TBlock* b = Add(kind, params, option);
    Put(b, x_, kRowCentre);
    x_ += b->Width + kGap;
    return b;
  }
  void Put(TBlock* b, int left, int centre) {
    b->Left = left;
    b->Top = centre - b->Height / 2;
  }
  void Connect(TBlock* source, TBlock* dest, int input = 0) {
    auto line = std::make_unique<TConnectLine>();
    line->Source = source;
    line->Dest = dest;
    line->DestInput = input;
    scheme_.InsertLine(scheme_.Lines().size(), std::move(line));
  }
  int X() const { return x_; }
  Scheme Take() { return std::move(scheme_); }

private:
  const BlockFactory& factory_;
  Scheme scheme_;
  int x_ = 20;
};

// The range the model passes through, with a margin, on the 0.1 grid of the
// zoom's ranges.
void SetRange(TGraphRecord& record, const StepFit& fit) {
  double lo = std::min(fit.Initial, fit.Initial + fit.Gain);
  double hi = std::max(fit.Initial, fit.Initial + fit.Gain);
  if (fit.Kind == FitKind::Second && fit.Damping < 1) {
    const double overshoot =
        std::exp(-std::numbers::pi * fit.Damping / std::sqrt(1 - fit.Damping * fit.Damping));
    lo = std::min(lo, fit.Initial + fit.Gain * (1 + overshoot));
    hi = std::max(hi, fit.Initial + fit.Gain * (1 + overshoot));
  }
  const double margin = std::max(0.1 * (hi - lo), 0.1);
  record.YMin = std::floor((lo - margin) * 10) / 10;
  record.YMax = std::ceil((hi + margin) * 10) / 10;
}

}  // namespace

double FitSchemeStep(const StepFit& fit, double endTime) {
  double rate = 0;  // of the fastest mode, 1/s
  if (fit.Kind == FitKind::First) {
    rate = 1.0 / fit.TimeConstant;
  } else {
    const double zeta = fit.Damping;
    rate = fit.NaturalFrequency * std::max(1.0, zeta + std::sqrt(std::max(0.0, zeta * zeta - 1)));
  }
  const double step = std::min(endTime / 2000.0, 1.0 / (20.0 * rate));
  return std::max(kStepGrid, std::floor(step / kStepGrid) * kStepGrid);
}

Scheme BuildFitScheme(const BlockFactory& factory, const FitSchemeModel& model) {
  const StepFit& fit = model.Fit;
  if (fit.Kind == FitKind::None || !fit.Converged) {
    throw UserError("Нет сошедшейся аппроксимации, схему построить не из чего");
  }
  Builder b(factory);
  TBlock* step = b.Next(kKindStep, {1.0, fit.StepTime + fit.Delay, 1.0});
  TBlock* out = nullptr;
  if (fit.Kind == FitKind::First) {
    TBlock* lag = b.Next(kKindAperiod, {fit.Gain, fit.TimeConstant, 0.0});
    b.Connect(step, lag);
    out = lag;
  } else {
    const double t = 1.0 / fit.NaturalFrequency;
    TBlock* gain = b.Next(kKindProporc, {fit.Gain, 1.0, 1.0});
    TBlock* outer = b.Next(kKindSum, {1.0, 1.0, 1.0});
    TBlock* inner = b.Next(kKindSum, {1.0, 1.0, 1.0});
    TBlock* first = b.Next(kKindIntegr, {t, 0.0, 0.0});
    TBlock* second = b.Next(kKindIntegr, {t, 0.0, 0.0});
    // The feedbacks run right to left through mirrored blocks on rows of
    // their own, so that no line runs along the forward path.
    TBlock* damping = b.Add(kKindProporc, {2.0 * fit.Damping, 1.0, 1.0});
    damping->Rotate();
    b.Put(damping, inner->Left + inner->Width + kGap / 2, kFeedbackCentre);
    TBlock* unity = b.Add(kKindProporc, {1.0, 1.0, 1.0});
    unity->Rotate();
    b.Put(unity, first->Left, kUnityCentre);
    b.Connect(step, gain);
    b.Connect(gain, outer);
    b.Connect(unity, outer, 1);
    b.Connect(outer, inner);
    b.Connect(damping, inner, 1);
    b.Connect(inner, first);
    b.Connect(first, second);
    b.Connect(first, damping);
    b.Connect(second, unity);
    out = second;
  }
  if (fit.Initial != 0) {
    // A step at t = -1 is a constant from the start.
    TBlock* sum = b.Next(kKindSum, {1.0, 1.0, 1.0}, true);
    TBlock* initial = b.Add(kKindStep, {fit.Initial, -1.0, 1.0});
    // Below everything, just left of its sum: its line rises beside the sum.
    const int row = fit.Kind == FitKind::First ? kFeedbackCentre : kUnityCentre + kRowStep;
    b.Put(initial, sum->Left - initial->Width - kGap / 2, row);
    b.Connect(out, sum);
    b.Connect(initial, sum, 1);
    out = sum;
  }
  TBlock* graph = b.Add(kKindGraph, {1.0, 1.0, 1.0});
  graph->Left = b.X();
  graph->Top = 20;
  graph->Record->ChanName[0] = model.Name.empty() ? "Модель" : "Модель: " + model.Name;
  SetRange(*graph->Record, fit);
  b.Connect(out, graph);

  Scheme scheme = b.Take();
  scheme.EndTime = std::ceil(model.EndTime / kStepGrid) * kStepGrid;
  scheme.Step = FitSchemeStep(fit, model.EndTime);
  return scheme;
}

}  // namespace tornel
