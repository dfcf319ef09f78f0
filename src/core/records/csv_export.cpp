#include "core/records/csv_export.h"

#include <bit>
#include <vector>

#include "core/config/channel_table.h"
#include "core/records/dta_reader.h"
#include "core/records/grid_time.h"
#include "core/text/user_error.h"

namespace tornel {
namespace {

constexpr std::size_t kChunkFrames = 1000;
constexpr std::size_t kFlushBytes = 1 << 16;

}  // namespace

void WriteCsv(const DtaHeader& header, SampleFileReader<int16_t>& samples, double fullScale,
              std::ostream& out, const CsvOptions& options) {
  const std::vector<int> slots = RecordedSlots(header);
  std::string text;
  CsvLine line(text, options);
  line.Field(header.IsStatic ? "№" : "t, c");
  for (int s : slots) {
    const std::string& unit = header.ChanUnit[s];
    line.Field(unit.empty() ? header.ChanName[s] : header.ChanName[s] + ", " + unit);
  }
  line.End();

  const std::size_t channels = slots.size();
  const int64_t frames = channels == 0 ? 0 : samples.FrameCount();
  std::vector<double> factor(channels);
  for (std::size_t c = 0; c < channels; ++c) factor[c] = header.Base[slots[c]];
  std::vector<int16_t> chunk(kChunkFrames * channels);
  samples.Seek(0);
  int64_t i = 0;
  while (i < frames) {
    const std::size_t got = samples.Read(chunk);
    if (got == 0) break;
    for (std::size_t f = 0; f < got && i < frames; ++f, ++i) {
      if (header.IsStatic) {
        line.Number(static_cast<double>(i + 1));
      } else {
        line.Number(frames > 1 ? GridTime(i, header.Duration, frames - 1) : 0.0);
      }
      for (std::size_t c = 0; c < channels; ++c) {
        line.Number(static_cast<double>(chunk[f * channels + c]) / fullScale * factor[c]);
      }
      line.End();
      if (text.size() >= kFlushBytes) {
        FlushCsv(text, out);
        if (!out) return;  // a full disk: the caller reports it
      }
    }
  }
  FlushCsv(text, out);
}

void ExportDtaToCsv(const std::string& dtaPath, std::ostream& out, const std::string& outName,
                    const CsvOptions& options) {
  DtaHeader header;
  int64_t offset = 0;
  {
    DtaReader reader(dtaPath);
    reader.ReadHeader(header);
    offset = reader.SampleOffset();
  }
  const int channels = std::popcount(header.AcpMask) + std::popcount(header.CapMask);
  SampleFileReader<int16_t> samples(dtaPath, channels, offset);
  WriteCsv(header, samples, kFullScaleCode, out, options);
  out.flush();
  if (!out) ThrowWriteError(outName);
}

}  // namespace tornel
