#include "core/graph/table_text.h"

#include <algorithm>
#include <span>
#include <vector>

#include "core/records/sample_file_reader.h"

namespace tornel {
namespace {

constexpr int64_t kChunkFrames = 4096;

// A name with a tab or line break would split the spreadsheet's cells.
void AppendCell(std::string& out, const std::string& text) {
  for (char ch : text) out += ch == '\t' || ch == '\n' || ch == '\r' ? ' ' : ch;
}

template <typename Sample>
void AppendRows(const TableColumns& table, const std::string& sampleFile, const TableTextRequest& r,
                char separator, std::string& out) {
  SampleFileReader<Sample> reader;
  const int channels = table.RecChannelCount();
  const bool readable = reader.Open(sampleFile, channels);
  std::vector<Sample> chunk(static_cast<std::size_t>(kChunkFrames * std::max(channels, 1)));
  reader.Seek(r.FirstFrame);
  int64_t chunkFirst = r.FirstFrame;
  int64_t chunkFrames = 0;
  for (int64_t frame = r.FirstFrame; frame < r.FirstFrame + r.Frames; ++frame) {
    if (frame >= chunkFirst + chunkFrames && readable) {
      chunkFirst = frame;
      chunkFrames = static_cast<int64_t>(reader.Read(std::span<Sample>(chunk)));
    }
    const bool have = readable && frame < chunkFirst + chunkFrames;
    for (int c = r.FirstColumn; c < r.FirstColumn + r.Columns; ++c) {
      if (c > r.FirstColumn) out += '\t';
      if (r.Selected && !r.Selected(frame, c)) continue;
      if (c == 0) {
        out += table.RowText(frame, separator);
      } else if (have) {
        const auto at =
            static_cast<std::size_t>((frame - chunkFirst) * channels + table[c - 1].Position);
        out += table.ValueText(c - 1, static_cast<double>(chunk[at]), separator);
      }
    }
    out += '\n';
  }
}

}  // namespace

std::string TableText(const TableColumns& table, const std::string& sampleFile,
                      const TableTextRequest& request, char separator) {
  TableTextRequest r = request;
  r.FirstFrame = std::max<int64_t>(r.FirstFrame, 0);
  r.Frames =
      std::clamp<int64_t>(r.Frames, 0, std::max<int64_t>(table.FrameRows() - r.FirstFrame, 0));
  r.FirstColumn = std::clamp(r.FirstColumn, 0, table.Count() + 1);
  r.Columns = std::clamp(r.Columns, 0, table.Count() + 1 - r.FirstColumn);
  std::string out;
  if (r.Columns == 0) return out;
  if (r.HeaderRow) {
    for (int c = r.FirstColumn; c < r.FirstColumn + r.Columns; ++c) {
      if (c > r.FirstColumn) out += '\t';
      AppendCell(out, c == 0 ? table.CornerText() : table.HeaderText(c - 1));
    }
    out += '\n';
  }
  VisitSampleFormat(table.Format(), [&]<typename S>(std::type_identity<S>) {
    AppendRows<S>(table, sampleFile, r, separator, out);
  });
  return out;
}

}  // namespace tornel
