#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/records/dta_header.h"
#include "core/records/sample_format.h"

namespace tornel {

class TGraphRecord;
struct DtaInfo;

// Where the frames of a transient record lie: a sample file, or the samples
// of a data file after its header, of Channels values a frame. Frame i stands
// at the time i * Duration / Frames, as the plot places it.
struct TransientSource {
  std::string Path;
  int64_t HeaderBytes = 0;
  SampleFormat Format = SampleFormat::Int16;
  int Channels = 0;
  int64_t Frames = 0;
  double Duration = 0;
  // The stored value that stands for a channel's Base.
  double FullScale = 511.0;
  bool IsStatic = false;
  // The file as the user knows it, for messages; may be empty.
  std::string Name;

  double FrameTime(int64_t frame) const {
    return static_cast<double>(frame) * Duration / static_cast<double>(Frames);
  }
};

// One channel to analyse: its place in a frame and the physical value of one
// stored unit (Base / FullScale).
struct AnalysisChannel {
  int Slot = 0;
  int Position = 0;
  double Scale = 0;
  std::string Name;
  std::string Unit;
};

// The record's SampleFile with its current FrameCount; `name` for messages.
TransientSource SourceOfRecord(const TGraphRecord& record, const std::string& name);
// A data file's own samples, read in place.
TransientSource SourceOfDataFile(const DtaInfo& info, const std::string& path);

// The channel in `slot` of a record with these masks; none when that channel
// is not recorded.
std::optional<AnalysisChannel> ChannelOfSlot(const DtaHeader& header, double fullScale, int slot);
// The channels a record shows against time, in slot order.
std::vector<AnalysisChannel> ShownChannels(const TGraphRecord& record);

// "3" for ADC channel 3 (slot 2), "ЦАП 1" for DAC channel 1: how messages
// name a channel.
std::string ChannelNumberText(int slot);

}  // namespace tornel
