#pragma once

#include <optional>

#include "core/graph/filter_progress.h"
#include "core/records/graph_record.h"
#include "core/spectrum/amplitude_spectrum.h"
#include "core/spectrum/spectrum_request.h"
#include "core/spectrum/spectrum_result.h"
#include "core/spectrum/spectrum_span.h"

namespace tornel {

// A channel's frames and their amplitude spectrum.
struct ChannelSpectrum {
  SpectrumSpan span;
  AmplitudeSpectrum spectrum;
};

// The span of request's window (ResolveSpectrumSpan) and its spectrum;
// nothing when the user stops the progress. Throws as those do.
std::optional<ChannelSpectrum> ComputeChannelSpectrum(const TGraphRecord& record,
                                                      const SpectrumRequest& request,
                                                      FilterProgress* progress = nullptr);

// The numbers of an amplitude spectrum: its span, dc, fundamental,
// harmonics and THD.
SpectrumResult DescribeSpectrum(const SpectrumSpan& span, const AmplitudeSpectrum& spectrum,
                                int harmonics);

// A channel's spectrum as the command line and the window report it.
// RecountRecord must have run. Throws UserError (ResolveSpectrumSpan's
// reasons, a sample file that cannot be read); nothing when the user stops
// the progress.
std::optional<SpectrumResult> AnalyzeSpectrum(const TGraphRecord& record,
                                              const SpectrumRequest& request,
                                              FilterProgress* progress = nullptr);

}  // namespace tornel
