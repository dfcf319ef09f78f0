#include "core/spectrum/spectrum_analysis.h"

#include "core/spectrum/harmonic_search.h"

namespace tornel {

SpectrumResult DescribeSpectrum(const SpectrumSpan& span, const AmplitudeSpectrum& spectrum,
                                int harmonics) {
  SpectrumResult r;
  r.slot = span.slot;
  r.window = spectrum.Window();
  r.from = span.from;
  r.to = span.to;
  r.frames = span.count;
  r.sampleRate = span.sampleRate;
  r.resolutionHz = span.sampleRate / static_cast<double>(span.count);
  r.dc = spectrum.Dc();
  HarmonicSet set = FindHarmonics(spectrum.Amplitudes(), spectrum.BinHz(), spectrum.Window(),
                                  harmonics, spectrum.Swing(), spectrum.BinsPerResolution());
  r.fundamentalHz = set.fundamentalHz;
  r.thdPct = set.thdPct;
  r.harmonics = std::move(set.harmonics);
  return r;
}

std::optional<ChannelSpectrum> ComputeChannelSpectrum(const TGraphRecord& record,
                                                      const SpectrumRequest& request,
                                                      FilterProgress* progress) {
  const SpectrumSpan span = ResolveSpectrumSpan(record, request);
  std::optional<AmplitudeSpectrum> spectrum =
      AmplitudeSpectrum::Compute(record, span, request.window, progress);
  if (!spectrum) return std::nullopt;
  return ChannelSpectrum{span, std::move(*spectrum)};
}

std::optional<SpectrumResult> AnalyzeSpectrum(const TGraphRecord& record,
                                              const SpectrumRequest& request,
                                              FilterProgress* progress) {
  const std::optional<ChannelSpectrum> c = ComputeChannelSpectrum(record, request, progress);
  if (!c) return std::nullopt;
  return DescribeSpectrum(c->span, c->spectrum, request.harmonics);
}

}  // namespace tornel
