#pragma once

#include <cstdint>
#include <vector>

#include "core/records/graph_record.h"
#include "core/spectrum/spectrum_request.h"

namespace tornel {

// The least number of frames a spectrum is made of.
inline constexpr int64_t kMinSpectrumFrames = 8;

// The frames a spectrum reads: the channel's recorded position and the
// frames first .. first + count - 1 of the record's sample file, which hold
// the times from .. to.
struct SpectrumSpan {
  int slot = 0;
  int position = 0;
  int64_t first = 0;
  int64_t count = 0;
  double sampleRate = 0;  // FrameCount / Duration, Hz
  double from = 0;        // seconds
  double to = 0;
};

// Throws UserError unless the record has a time base: not a static
// characteristic, and a finite positive Duration.
void CheckSpectrumRecord(const TGraphRecord& record);

// The frames of request's window, by the plot's rule: frames
// floor(FrameCount * from / Duration) up to, not including,
// floor(FrameCount * to / Duration). A window that reaches past the record
// is cut to it. Throws UserError with the reason: a static record, a record
// without a duration, a channel that is not recorded, an empty window or one
// outside the record, and fewer than kMinSpectrumFrames frames
// ("Слишком мало отсчётов для спектра"). RecountRecord must have run.
SpectrumSpan ResolveSpectrumSpan(const TGraphRecord& record, const SpectrumRequest& request);

// The channels a spectrum may be asked for in a graph window: the recorded
// and shown ones, ADC slots first.
std::vector<int> SpectrumChannelChoices(const TGraphRecord& record);

}  // namespace tornel
