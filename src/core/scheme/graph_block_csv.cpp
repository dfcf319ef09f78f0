#include "core/scheme/graph_block_csv.h"

#include <bit>
#include <vector>

#include "core/records/csv_line.h"
#include "core/records/file_handle.h"
#include "core/records/grid_time.h"
#include "core/records/sample_file_reader.h"

namespace tornel {
namespace {

constexpr std::size_t kChunkFrames = 1000;
constexpr std::size_t kFlushBytes = 1 << 16;

}  // namespace

void WriteGraphBlockCsv(const TGraphRecord& record, double step, std::ostream& out,
                        const std::string& outName) {
  const CsvOptions options;
  std::string text;
  CsvLine line(text, options);
  line.Field("t, c");
  for (int input = 0; input < kAcpChannels; ++input) {
    if ((record.AcpMask >> input) & 1) line.Field(record.ChanName[input]);
  }
  line.End();
  const int channels = std::popcount(record.AcpMask);
  if (channels > 0) {
    SampleFileReader<double> samples(record.SampleFile, channels);
    std::vector<double> chunk(kChunkFrames * static_cast<std::size_t>(channels));
    int64_t tick = 0;
    while (const std::size_t got = samples.Read(chunk)) {
      for (std::size_t f = 0; f < got; ++f) {
        line.Number(GridTime(++tick, step));
        for (int c = 0; c < channels; ++c) line.Number(chunk[f * channels + c]);
        line.End();
      }
      if (text.size() >= kFlushBytes) FlushCsv(text, out);
      if (!out) ThrowWriteError(outName);
    }
  }
  FlushCsv(text, out);
  out.flush();
  if (!out) ThrowWriteError(outName);
}

}  // namespace tornel
