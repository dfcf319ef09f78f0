#include "core/analysis/fit_series.h"

#include <algorithm>

#include "core/records/sample_file_reader.h"
#include "core/text/user_error.h"

namespace tornel {
namespace {

constexpr int64_t kChunkFrames = 4096;

template <typename Sample>
std::vector<FitPoint> Decimate(const TransientSource& source, const AnalysisChannel& channel,
                               int64_t first, int64_t fineEnd, int64_t pointsPerPart) {
  SampleFileReader<Sample> reader;
  if (!reader.Open(source.Path, source.Channels, source.HeaderBytes)) {
    throw UserError("Не удалось открыть файл " + source.Path);
  }
  const int64_t frames = std::min(source.Frames, reader.FrameCount());
  first = std::clamp<int64_t>(first, 0, frames);
  fineEnd = std::clamp(fineEnd, first, frames);
  auto blockOf = [pointsPerPart](int64_t length) {
    return std::max<int64_t>(1, (length + pointsPerPart - 1) / pointsPerPart);
  };
  const int64_t fineBlock = blockOf(fineEnd - first);
  const int64_t coarseBlock = blockOf(frames - fineEnd);

  std::vector<FitPoint> points;
  std::vector<Sample> chunk(static_cast<std::size_t>(kChunkFrames * source.Channels));
  double sum = 0;
  int64_t inBlock = 0, blockStart = first;
  reader.Seek(first);
  for (int64_t at = first; at < frames;) {
    const int64_t want = std::min(kChunkFrames, frames - at);
    const std::size_t got = reader.Read(
        std::span<Sample>(chunk.data(), static_cast<std::size_t>(want * source.Channels)));
    if (got == 0) throw UserError("Не удалось прочитать файл " + source.Path);
    const Sample* p = chunk.data() + channel.Position;
    for (std::size_t f = 0; f < got; ++f, p += source.Channels) {
      const int64_t frame = at + static_cast<int64_t>(f);
      sum += static_cast<double>(*p);
      ++inBlock;
      const int64_t block = frame < fineEnd ? fineBlock : coarseBlock;
      // A block ends at its size or where the fine part ends.
      if (inBlock == block || frame + 1 == fineEnd || frame + 1 == frames) {
        const double mid = 0.5 * static_cast<double>(blockStart + frame);
        points.push_back({mid * source.Duration / static_cast<double>(source.Frames),
                          sum / static_cast<double>(inBlock) * channel.Scale});
        sum = 0;
        inBlock = 0;
        blockStart = frame + 1;
      }
    }
    at += static_cast<int64_t>(got);
  }
  return points;
}

}  // namespace

std::vector<FitPoint> DecimatedSeries(const TransientSource& source, const AnalysisChannel& channel,
                                      int64_t first, int64_t fineEnd, int64_t pointsPerPart) {
  return VisitSampleFormat(source.Format, [&]<typename S>(std::type_identity<S>) {
    return Decimate<S>(source, channel, first, fineEnd, pointsPerPart);
  });
}

}  // namespace tornel
