#include "core/analysis/transient_source.h"

#include <bit>

#include "core/records/dta_info.h"
#include "core/records/graph_record.h"

namespace tornel {

TransientSource SourceOfRecord(const TGraphRecord& record, const std::string& name) {
  TransientSource s;
  s.Path = record.SampleFile;
  s.Format = record.Samples;
  s.Channels = record.FrameValues();
  s.Frames = static_cast<int64_t>(record.FrameCount);
  s.Duration = record.Duration;
  s.FullScale = record.FullScale;
  s.IsStatic = record.IsStatic;
  s.Name = name;
  return s;
}

TransientSource SourceOfDataFile(const DtaInfo& info, const std::string& path) {
  TransientSource s;
  s.Path = path;
  s.HeaderBytes = info.SampleOffset;
  s.Channels = std::popcount(info.Header.AcpMask) + std::popcount(info.Header.CapMask);
  s.Frames = info.FrameCount;
  s.Duration = info.Header.Duration;
  s.IsStatic = info.Header.IsStatic;
  s.Name = path;
  return s;
}

std::optional<AnalysisChannel> ChannelOfSlot(const DtaHeader& header, double fullScale, int slot) {
  if (slot < 0 || slot >= kChannelSlots) return std::nullopt;
  const bool dac = slot >= kCapSlotBase;
  const uint16_t mask = dac ? header.CapMask : header.AcpMask;
  const int bit = dac ? slot - kCapSlotBase : slot;
  if (((mask >> bit) & 1u) == 0) return std::nullopt;
  const uint16_t below = static_cast<uint16_t>(mask & ((1u << bit) - 1u));
  AnalysisChannel c;
  c.Slot = slot;
  c.Position = std::popcount(below) + (dac ? std::popcount(header.AcpMask) : 0);
  c.Scale = header.Base[slot] / fullScale;
  c.Name = header.ChanName[slot];
  c.Unit = header.ChanUnit[slot];
  return c;
}

std::vector<AnalysisChannel> ShownChannels(const TGraphRecord& record) {
  std::vector<AnalysisChannel> channels;
  for (int slot = 0; slot < kChannelSlots; ++slot) {
    const bool dac = slot >= kCapSlotBase;
    const uint16_t shown = dac ? record.CapShowMask : record.AcpShowMask;
    if (((shown >> (dac ? slot - kCapSlotBase : slot)) & 1u) == 0) continue;
    if (auto c = ChannelOfSlot(record, record.FullScale, slot)) channels.push_back(*c);
  }
  return channels;
}

std::string ChannelNumberText(int slot) {
  return slot >= kCapSlotBase ? "ЦАП " + std::to_string(slot - kCapSlotBase + 1)
                              : std::to_string(slot + 1);
}

}  // namespace tornel
