#include "core/graph/auto_range.h"

#include <cmath>
#include <type_traits>
#include <vector>

#include "core/records/sample_file_reader.h"

namespace tornel {
namespace {

constexpr double kWidening = 0.1;
constexpr int64_t kChunkFrames = 4096;

bool InMask(const MaskPair& mask, int slot) {
  if (slot < 0) return false;
  return slot < kCapSlotBase ? ((mask.Acp >> slot) & 1) != 0
                             : ((mask.Cap >> (slot - kCapSlotBase)) & 1) != 0;
}

// Scans the file; false when no value was seen.
template <typename Sample>
bool Extremes(const TGraphRecord& record, const MaskPair& mask, AxisRange& range) {
  const int channels = record.RecChannelCount;
  std::vector<int> positions;
  std::vector<double> factors;
  for (int pos = 0; pos < channels; ++pos) {
    const int slot = record.PositionToSlot(pos);
    if (!InMask(mask, slot)) continue;
    positions.push_back(pos);
    factors.push_back(record.Base[slot] / record.RealBase[slot] / record.FullScale);
  }
  if (positions.empty()) return false;
  SampleFileReader<Sample> reader;
  if (!reader.Open(record.SampleFile, channels)) return false;
  std::vector<Sample> chunk(static_cast<std::size_t>(kChunkFrames * channels));
  bool seen = false;
  while (const std::size_t frames = reader.Read(chunk)) {
    for (std::size_t f = 0; f < frames; ++f) {
      const Sample* frame = chunk.data() + f * channels;
      for (std::size_t i = 0; i < positions.size(); ++i) {
        const double v = static_cast<double>(frame[positions[i]]) * factors[i];
        if (!std::isfinite(v)) continue;
        if (!seen) {
          range = {v, v};
          seen = true;
        } else if (v < range.Min) {
          range.Min = v;
        } else if (v > range.Max) {
          range.Max = v;
        }
      }
    }
  }
  return seen;
}

}  // namespace

AxisRange AutoRange(TGraphRecord& record, Axis axis) {
  record.RecountRecord();
  AxisRange range =
      axis == Axis::X ? AxisRange{record.XMin, record.XMax} : AxisRange{record.YMin, record.YMax};
  const MaskPair mask = record.DepChannelMask(axis);
  if (record.RecChannelCount > 0) {
    VisitSampleFormat(record.Samples,
                      [&]<typename S>(std::type_identity<S>) { Extremes<S>(record, mask, range); });
  }
  if (range.Min == range.Max) {
    range.Max += kWidening;
    range.Min -= kWidening;
  }
  return range;
}

}  // namespace tornel
