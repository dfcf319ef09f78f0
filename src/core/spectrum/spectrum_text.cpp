#include "core/spectrum/spectrum_text.h"

#include <algorithm>
#include <cmath>

#include "core/text/number_text.h"

namespace tornel {
namespace {

int FrequencyDecimals(const SpectrumResult& r) {
  if (!(r.resolutionHz > 0)) return 2;
  return std::clamp(1 - static_cast<int>(std::floor(std::log10(r.resolutionHz))), 0, 6);
}

int AmplitudeDecimals(const SpectrumResult& r) {
  double reference = r.harmonics.empty() ? std::abs(r.dc) : r.harmonics.front().amplitude;
  if (!(reference > 0)) return 3;
  return std::clamp(4 - static_cast<int>(std::floor(std::log10(reference))), 0, 9);
}

// Six significant digits: a rate of 1000 / 3 Hz reads 333.333.
std::string Rate(double v, char separator) {
  if (!(v > 0) || !std::isfinite(v)) return FormatGeneral(v, separator);
  const double scale = std::pow(10.0, 5 - static_cast<int>(std::floor(std::log10(v))));
  return FormatGeneral(std::round(v * scale) / scale, separator);
}

std::string WithUnit(const std::string& number, const std::string& unit) {
  return unit.empty() ? number : number + " " + unit;
}

}  // namespace

std::string WindowFunctionName(WindowFunction window) {
  return window == WindowFunction::Hann ? "Хеннинга" : "прямоугольное";
}

std::string HarmonicTableText(const SpectrumResult& r, const std::string& unit, char separator) {
  const int hzDecimals = FrequencyDecimals(r);
  const int aDecimals = AmplitudeDecimals(r);
  std::string text = "№\tf, Гц\t" + (unit.empty() ? std::string("A") : "A, " + unit) + "\t%\n";
  const double a1 = r.harmonics.empty() ? 0 : r.harmonics.front().amplitude;
  for (const Harmonic& h : r.harmonics) {
    text += std::to_string(h.order) + "\t" + FormatFixed(h.hz, hzDecimals, separator) + "\t" +
            FormatFixed(h.amplitude, aDecimals, separator) + "\t" +
            FormatFixed(a1 > 0 ? h.amplitude / a1 * 100 : 0, 2, separator) + "\n";
  }
  return text;
}

std::string SpectrumSummaryText(const SpectrumResult& r, const std::string& unit, char separator) {
  const int hzDecimals = FrequencyDecimals(r);
  const int aDecimals = AmplitudeDecimals(r);
  std::string text;
  if (r.harmonics.empty()) {
    text += "Основной гармоники нет: сигнал постоянный\n";
  } else {
    text += "Основная гармоника " + FormatFixed(r.fundamentalHz, hzDecimals, separator) + " Гц, " +
            WithUnit(FormatFixed(r.harmonics.front().amplitude, aDecimals, separator), unit) +
            "; THD " + FormatFixed(r.thdPct, 2, separator) + " %\n";
  }
  text +=
      "Постоянная составляющая " + WithUnit(FormatFixed(r.dc, aDecimals, separator), unit) + "\n";
  text += "Окно " + WindowFunctionName(r.window) + "; " + FormatGeneral(r.from, separator) + "…" +
          FormatGeneral(r.to, separator) + " с, " + std::to_string(r.frames) + " отсчётов по " +
          Rate(r.sampleRate, separator) + " Гц; разрешение " + Rate(r.resolutionHz, separator) +
          " Гц\n";
  return text;
}

}  // namespace tornel
