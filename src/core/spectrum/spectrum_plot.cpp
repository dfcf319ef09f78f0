#include "core/spectrum/spectrum_plot.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/records/sample_file_writer.h"
#include "core/spectrum/amplitude_spectrum.h"
#include "core/spectrum/spectrum_analysis.h"
#include "core/spectrum/spectrum_span.h"

namespace tornel {
namespace {

constexpr int kDecades = 5;

}  // namespace

double RoundAxisEnd(double v) {
  const double power = std::pow(10.0, std::floor(std::log10(v)));
  for (double m : {1.0, 2.0, 2.5, 5.0, 10.0}) {
    // A value that is a round end but for rounding keeps that end.
    if (m * power >= v * (1 - 1e-12)) return m * power;
  }
  return 10 * power;
}

std::optional<SpectrumPlot> SpectrumPlot::Make(const TGraphRecord& source,
                                               const SpectrumRequest& request,
                                               FilterProgress* progress) {
  const std::optional<ChannelSpectrum> c = ComputeChannelSpectrum(source, request, progress);
  if (!c) return std::nullopt;
  const SpectrumSpan& span = c->span;

  SpectrumPlot plot;
  plot.result_ = DescribeSpectrum(span, c->spectrum, request.harmonics);
  const std::span<const double> amplitudes = c->spectrum.Amplitudes();
  plot.peak_ = *std::max_element(amplitudes.begin(), amplitudes.end());

  TGraphRecord& r = plot.record_;
  r.Samples = SampleFormat::Float64;
  r.FullScale = 1.0;
  r.AcpMask = 0b11;
  for (int pos = 0; pos < 2; ++pos) {
    r.ChanName[pos] = source.ChanName[span.slot];
    r.ChanColor[pos] = source.ChanColor[span.slot];
    r.Base[pos] = r.RealBase[pos] = 1.0;
  }
  r.ChanUnit[0] = source.ChanUnit[span.slot];
  r.ChanUnit[1].clear();
  r.Titles.Time = "f,Гц";
  r.Titles.TimeCurve.clear();
  r.DivX = 5;
  r.Duration = static_cast<double>(amplitudes.size()) * c->spectrum.BinHz();
  r.TMin = 0;
  r.TMax = r.Duration;
  const SpectrumResult& result = plot.result_;
  if (!result.harmonics.empty()) {
    const double last = result.harmonics.back().hz + 0.5 * result.fundamentalHz;
    r.TMax = std::min(r.Duration, RoundAxisEnd(last));
  }

  r.OrigFile = r.SampleFile = TGraphRecord::MakeTempName();
  r.FilteredFile = r.OrigFile + "f";
  SampleFileWriter<double> writer(r.SampleFile);
  const double floor = plot.peak_ > 0 ? plot.peak_ * kLogFloor : 1e-300;
  for (double a : amplitudes) {
    const double frame[2] = {a, std::log10(std::max(a, floor))};
    writer.Write(frame);
  }
  writer.Close();
  r.RecountRecord();
  plot.SetScale(SpectrumScale::Linear);
  return plot;
}

void SpectrumPlot::SetScale(SpectrumScale scale) {
  scale_ = scale;
  const std::string& unit = record_.ChanUnit[0];
  if (scale == SpectrumScale::Linear) {
    record_.AcpShowMask = 0b01;
    record_.Titles.Y = unit.empty() ? "A" : "A," + unit;
    record_.YMin = 0;
    record_.YMax = peak_ > 0 ? RoundAxisEnd(1.05 * peak_) : 1.0;
    record_.DivY = 5;
  } else {
    record_.AcpShowMask = 0b10;
    record_.Titles.Y = "lg A";
    record_.YMax = peak_ > 0 ? std::ceil(std::log10(peak_)) : 0.0;
    record_.YMin = record_.YMax - kDecades;
    record_.DivY = kDecades;
  }
}

}  // namespace tornel
