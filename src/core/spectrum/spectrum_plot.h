#pragma once

#include <optional>
#include <string>

#include "core/graph/filter_progress.h"
#include "core/records/graph_record.h"
#include "core/spectrum/spectrum_request.h"
#include "core/spectrum/spectrum_result.h"

namespace tornel {

enum class SpectrumScale { Linear, Logarithmic };

// A spectrum as a record the plot engine draws, so that screen, page and
// picture come from the graph window's paths: frequency runs along the time
// axis (frame k at k times the bin width), recorded position 0 holds the
// amplitudes and position 1 their common logarithms, and the scale shows
// one of them. The record owns its sample file of doubles; the channel's own
// record is not needed once the plot is made.
class SpectrumPlot {
public:
  // Analyses the channel and writes the plot's file; nothing when the user
  // stops the progress. Throws UserError as AnalyzeSpectrum does, or when
  // the file cannot be written.
  static std::optional<SpectrumPlot> Make(const TGraphRecord& source,
                                          const SpectrumRequest& request,
                                          FilterProgress* progress = nullptr);

  const SpectrumResult& Result() const { return result_; }
  TGraphRecord& Record() { return record_; }
  const TGraphRecord& Record() const { return record_; }
  const std::string& ChannelName() const { return record_.ChanName[0]; }
  const std::string& Unit() const { return record_.ChanUnit[0]; }

  SpectrumScale Scale() const { return scale_; }
  // Shows the amplitudes (0 up to a round value above the largest) or their
  // logarithms (five decades below the largest), with the Y title to match.
  void SetScale(SpectrumScale scale);

  // Amplitudes below this share of the largest are drawn at it on the
  // logarithmic scale: a zero has no logarithm.
  static constexpr double kLogFloor = 1e-12;

private:
  SpectrumPlot() = default;

  SpectrumResult result_;
  TGraphRecord record_;
  double peak_ = 0;
  SpectrumScale scale_ = SpectrumScale::Linear;
};

// The least of 1, 2, 2.5 and 5 times a power of ten that is at least v
// (v > 0): axis ends that divide into round steps.
double RoundAxisEnd(double v);

}  // namespace tornel
