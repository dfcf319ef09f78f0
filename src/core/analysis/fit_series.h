#pragma once

#include <cstdint>
#include <vector>

#include "core/analysis/transient_source.h"

namespace tornel {

struct FitPoint {
  double t = 0;  // record time, s
  double y = 0;  // physical units
};

// A short copy of one channel for fitting: the frames from `first` on in
// block means of at most `pointsPerPart` points over [first, fineEnd) and as
// many again over [fineEnd, Frames), so that a transient short against the
// record still gets its points. A block's time is the mean of its frames'
// times. Throws UserError when the file cannot be read.
std::vector<FitPoint> DecimatedSeries(const TransientSource& source, const AnalysisChannel& channel,
                                      int64_t first, int64_t fineEnd, int64_t pointsPerPart);

}  // namespace tornel
