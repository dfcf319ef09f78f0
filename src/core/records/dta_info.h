#pragma once

#include <cstdint>
#include <string>

#include "core/records/dta_header.h"

namespace tornel {

// What a data file holds, without copying its samples.
struct DtaInfo {
  DtaHeader Header;
  int64_t SampleOffset = 0;
  int64_t FrameCount = 0;  // whole frames of the recorded channels
  int64_t SampleBytes = 0;
  // Sample bytes past the last whole frame: a file that ends inside a frame.
  int64_t PartialFrameBytes = 0;
};

// Throws the reader's UserError texts.
DtaInfo ReadDtaInfo(const std::string& path);

// For a file that ends inside a frame: what was left out, with the path on
// its own line; empty otherwise.
std::string PartialFrameWarning(const DtaInfo& info, const std::string& path);

// A plain-text description for people: recorded channels with names and
// units, comments, date and time, masks, dependencies, axes, frames and the
// duration or point count. Lines end in "\n".
std::string DescribeDta(const DtaInfo& info);

}  // namespace tornel
