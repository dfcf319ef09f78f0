#pragma once

#include <algorithm>
#include <cstdint>
#include <span>
#include <vector>

#include "core/analysis/transient_source.h"
#include "core/records/sample_file_reader.h"
#include "core/text/user_error.h"

namespace tornel {

// Calls each(frame, value) for one channel, value in stored units, for every
// frame from `first` to the last whole frame of the file (at most
// source.Frames), read through a buffer of a few thousand frames. Throws
// UserError when the file cannot be opened or read.
template <typename Each>
void StreamChannel(const TransientSource& source, const AnalysisChannel& channel, int64_t first,
                   Each&& each) {
  constexpr int64_t kChunkFrames = 4096;
  VisitSampleFormat(source.Format, [&]<typename Sample>(std::type_identity<Sample>) {
    SampleFileReader<Sample> reader;
    if (!reader.Open(source.Path, source.Channels, source.HeaderBytes)) {
      throw UserError("Не удалось открыть файл " + source.Path);
    }
    const int64_t frames = std::min(source.Frames, reader.FrameCount());
    std::vector<Sample> chunk(static_cast<std::size_t>(kChunkFrames * source.Channels));
    reader.Seek(first);
    for (int64_t at = first; at < frames;) {
      const int64_t want = std::min(kChunkFrames, frames - at);
      const std::size_t got = reader.Read(
          std::span<Sample>(chunk.data(), static_cast<std::size_t>(want * source.Channels)));
      if (got == 0) throw UserError("Не удалось прочитать файл " + source.Path);
      const Sample* p = chunk.data() + channel.Position;
      for (std::size_t f = 0; f < got; ++f, p += source.Channels) {
        each(at + static_cast<int64_t>(f), static_cast<double>(*p));
      }
      at += static_cast<int64_t>(got);
    }
  });
}

}  // namespace tornel
