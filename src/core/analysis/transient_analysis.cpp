#include "core/analysis/transient_analysis.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "core/text/number_text.h"

namespace tornel {
namespace {

constexpr const char* kMissing = "—";

std::string Number(double v, char separator, int digits) {
  if (digits < 0) return FormatGeneral(v, separator);
  if (!std::isfinite(v)) return kMissing;
  // Below a nanosecond or a nano-unit nothing measured here is real.
  if (std::fabs(v) < 1e-9) return "0";
  const int exponent = static_cast<int>(std::floor(std::log10(std::fabs(v))));
  return FormatFixed(v, std::clamp(digits - 1 - exponent, 0, 9), separator);
}

}  // namespace

TransientAnalysis AnalyseTransient(const TransientSource& source,
                                   const std::vector<AnalysisChannel>& channels,
                                   const StepOptions& options, FitKind fit,
                                   const FitOptions& fitOptions, const AnalysisProgress& progress) {
  TransientAnalysis out;
  out.Options = options;
  out.Fit = fit;
  const int total = 1 + (fit == FitKind::None ? 0 : static_cast<int>(channels.size()));
  const std::vector<StepMetrics> metrics = MeasureSteps(source, channels, options);
  if (progress) progress(1, total);
  for (std::size_t c = 0; c < channels.size(); ++c) {
    ChannelAnalysis a{channels[c], metrics[c], {}};
    a.Fit = FitStep(source, channels[c], metrics[c], options, fit, fitOptions);
    out.Channels.push_back(std::move(a));
    if (progress && fit != FitKind::None) progress(static_cast<int>(c) + 2, total);
  }
  return out;
}

std::string ChannelNote(const ChannelAnalysis& channel) {
  if (!channel.Metrics.HasStep) {
    return "Нет скачка на канале " + ChannelNumberText(channel.Channel.Slot);
  }
  if (channel.Fit.Kind != FitKind::None && !channel.Fit.Converged) {
    return "Аппроксимация не сошлась";
  }
  return {};
}

std::string AnalysisTableText(const TransientAnalysis& analysis, char separator, int digits) {
  using Cell = std::function<std::string(const ChannelAnalysis&)>;
  auto num = [separator, digits](double v) { return Number(v, separator, digits); };
  auto opt = [num](const std::optional<double>& v) { return v ? num(*v) : std::string(kMissing); };
  std::string text;
  auto row = [&](const std::string& label, const Cell& cell, bool needsStep = true) {
    text += label;
    for (const ChannelAnalysis& c : analysis.Channels) {
      text += '\t';
      text += needsStep && !c.Metrics.HasStep ? std::string(kMissing) : cell(c);
    }
    text += '\n';
  };
  const StepOptions& o = analysis.Options;
  row(
      "Канал", [](const ChannelAnalysis& c) { return c.Channel.Name; }, false);
  row(
      "Ед.", [](const ChannelAnalysis& c) { return c.Channel.Unit; }, false);
  row(
      "Момент скачка T0, с", [&](const ChannelAnalysis&) { return num(o.StepTime); }, false);
  row(
      "Начальное значение", [&](const ChannelAnalysis& c) { return num(c.Metrics.Initial); },
      false);
  row(
      "Установившееся значение", [&](const ChannelAnalysis& c) { return num(c.Metrics.Final); },
      false);
  row("Время нарастания, с", [&](const ChannelAnalysis& c) { return opt(c.Metrics.RiseTime); });
  row("Время запаздывания, с", [&](const ChannelAnalysis& c) { return opt(c.Metrics.DelayTime); });
  row("Пиковое значение", [&](const ChannelAnalysis& c) { return num(c.Metrics.Peak); });
  row("Время пика, с", [&](const ChannelAnalysis& c) { return num(c.Metrics.PeakTime); });
  row("Перерегулирование, %",
      [&](const ChannelAnalysis& c) { return num(c.Metrics.OvershootPct); });
  row("Время установления (" + std::to_string(o.SettleBand) + " %), с",
      [&](const ChannelAnalysis& c) {
        return c.Metrics.SettlingTime ? num(*c.Metrics.SettlingTime) : "не установился";
      });
  if (analysis.Fit != FitKind::None) {
    const bool first = analysis.Fit == FitKind::First;
    auto fit = [&](double StepFit::*field) {
      return [&, field](const ChannelAnalysis& c) {
        return c.Fit.Converged ? num(c.Fit.*field) : std::string(kMissing);
      };
    };
    row("Модель", [first](const ChannelAnalysis&) {
      return std::string(first ? "1-го порядка" : "2-го порядка");
    });
    row("Коэффициент K", fit(&StepFit::Gain));
    if (first) {
      row("Постоянная времени T, с", fit(&StepFit::TimeConstant));
    } else {
      row("Коэффициент демпфирования ζ", fit(&StepFit::Damping));
      row("Собственная частота ωn, рад/с", fit(&StepFit::NaturalFrequency));
    }
    row("Запаздывание τ, с", fit(&StepFit::Delay));
    row("СКО остатков", fit(&StepFit::Rms));
  }
  const bool notes = std::any_of(analysis.Channels.begin(), analysis.Channels.end(),
                                 [](const ChannelAnalysis& c) { return !ChannelNote(c).empty(); });
  if (notes) row("Примечание", ChannelNote, false);
  return text;
}

}  // namespace tornel
