#include "core/graph/cursor_readout.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/graph/cursor_geometry.h"
#include "core/plot/plot_legend.h"
#include "core/records/sample_file_reader.h"
#include "core/text/number_text.h"

namespace tornel {
namespace {

constexpr int64_t kChunkFrames = 4096;

struct Running {
  double min = std::numeric_limits<double>::infinity();
  double max = -std::numeric_limits<double>::infinity();
  double sum = 0, sumSquares = 0;
};

bool IsShown(const TGraphRecord& record, int slot) {
  const bool dac = slot >= kCapSlotBase;
  const uint16_t shown = dac ? record.CapShowMask : record.AcpShowMask;
  return ((shown >> (dac ? slot - kCapSlotBase : slot)) & 1) != 0;
}

// The minimum and maximum of a channel over level-0 blocks [b0, b1) of a
// summary, taking each stretch from the highest level that holds it whole.
template <typename Sample>
void SummaryMinMax(const SampleSummary<Sample>& s, int channel, int64_t b0, int64_t b1,
                   Running& r) {
  constexpr int64_t kFactor = SampleSummary<Sample>::kFactor;
  for (int level = 0; b0 < b1; ++level) {
    const Sample* mins = s.Mins(level, channel);
    const Sample* maxs = s.Maxs(level, channel);
    const bool top = level + 1 >= s.Levels();
    const int64_t head = top ? b1 : std::min(b1, (b0 + kFactor - 1) / kFactor * kFactor);
    const int64_t tail = top ? b1 : std::max(head, b1 / kFactor * kFactor);
    auto take = [&](int64_t from, int64_t to) {
      for (int64_t b = from; b < to; ++b) {
        r.min = std::min(r.min, static_cast<double>(mins[b]));
        r.max = std::max(r.max, static_cast<double>(maxs[b]));
      }
    };
    take(b0, head);
    take(tail, b1);
    b0 = head / kFactor;
    b1 = tail / kFactor;
  }
}

// The shown channels against time; in a dependency plot the abscissa the
// cursors lie on, then the ordinates of the enabled dependencies.
std::vector<int> MeasuredPositions(const TGraphRecord& record, int channels) {
  std::vector<int> positions;
  const int abscissa = CursorAbscissaPosition(record);
  if (abscissa < 0) {
    for (int pos = 0; pos < channels; ++pos) {
      const int slot = record.PositionToSlot(pos);
      if (slot >= 0 && IsShown(record, slot)) positions.push_back(pos);
    }
    return positions;
  }
  positions.push_back(abscissa);
  for (const Dependency& dep : record.Deps) {
    if (!IsDrawableDependency(record, dep)) continue;
    if (std::find(positions.begin(), positions.end(), dep.YIndex) == positions.end()) {
      positions.push_back(dep.YIndex);
    }
  }
  return positions;
}

template <typename Sample>
bool Measure(const TGraphRecord& record, int channels, int64_t lo, int64_t hi,
             const std::vector<int>& positions, std::vector<Running>& run, std::vector<double>& at1,
             std::vector<double>& at2, int64_t frame1, int64_t frame2) {
  SampleFileReader<Sample> reader;
  if (!reader.Open(record.SampleFile, channels)) return false;
  std::vector<Sample> frame(static_cast<std::size_t>(channels));
  for (std::size_t c = 0; c < positions.size(); ++c) {
    if (!reader.ReadFrame(frame1, frame)) return false;
    at1[c] = static_cast<double>(frame[static_cast<std::size_t>(positions[c])]);
    if (!reader.ReadFrame(frame2, frame)) return false;
    at2[c] = static_cast<double>(frame[static_cast<std::size_t>(positions[c])]);
  }
  // Whole summary blocks inside [lo, hi] give their min/max at once; the
  // frames of the partial blocks at both ends are compared one by one.
  constexpr int64_t kFactor = SampleSummary<Sample>::kFactor;
  const bool filtered = !record.FilteredFile.empty() && record.SampleFile == record.FilteredFile;
  const SampleSummary<Sample>* summary =
      filtered ? nullptr : record.Summaries.Find<Sample>(record.SampleFile, channels);
  int64_t b0 = 0, b1 = 0;
  if (summary != nullptr) {
    b0 = (lo + kFactor - 1) / kFactor;
    b1 = std::min((hi + 1) / kFactor, summary->Blocks(0));
    if (b1 <= b0) b0 = b1 = 0;
  }
  const int64_t coveredFrom = b0 * kFactor, coveredTo = b1 * kFactor;

  std::vector<Sample> chunk(static_cast<std::size_t>(channels * kChunkFrames));
  reader.Seek(lo);
  for (int64_t at = lo, left = hi - lo + 1; left > 0;) {
    const std::size_t want = static_cast<std::size_t>(std::min(left, kChunkFrames) * channels);
    const std::size_t got = reader.Read(std::span<Sample>(chunk.data(), want));
    if (got == 0) return false;
    // The part of this chunk whose min/max the summary gives.
    const auto skipFrom = static_cast<std::size_t>(
        std::clamp<int64_t>(coveredFrom - at, 0, static_cast<int64_t>(got)));
    const auto skipTo = static_cast<std::size_t>(std::clamp<int64_t>(
        coveredTo - at, static_cast<int64_t>(skipFrom), static_cast<int64_t>(got)));
    for (std::size_t c = 0; c < positions.size(); ++c) {
      Running& r = run[c];
      const Sample* column = chunk.data() + positions[c];
      const std::size_t stride = static_cast<std::size_t>(channels);
      double sum = 0, sumSquares = 0;
      const Sample* p = column;
      for (std::size_t j = 0; j < got; ++j, p += stride) {
        const double v = static_cast<double>(*p);
        sum += v;
        sumSquares += v * v;
      }
      r.sum += sum;
      r.sumSquares += sumSquares;
      auto extremes = [&](std::size_t from, std::size_t to) {
        const Sample* q = column + from * stride;
        for (std::size_t j = from; j < to; ++j, q += stride) {
          const double v = static_cast<double>(*q);
          r.min = std::min(r.min, v);
          r.max = std::max(r.max, v);
        }
      };
      extremes(0, skipFrom);
      extremes(skipTo, got);
    }
    at += static_cast<int64_t>(got);
    left -= static_cast<int64_t>(got);
  }
  if (b1 > b0) {
    for (std::size_t c = 0; c < positions.size(); ++c) {
      SummaryMinMax(*summary, positions[c], b0, b1, run[c]);
    }
  }
  return true;
}

}  // namespace

CursorReadout MeasureCursors(const TGraphRecord& record, int64_t frame1, int64_t frame2) {
  CursorReadout out;
  out.isStatic = record.IsStatic;
  const int channels = record.FrameValues();
  const auto frames = static_cast<int64_t>(record.FrameCount);
  if (channels == 0 || frames < 1) return out;
  frame1 = std::clamp<int64_t>(frame1, 0, frames - 1);
  frame2 = std::clamp<int64_t>(frame2, 0, frames - 1);
  out.frame1 = frame1;
  out.frame2 = frame2;
  if (record.IsStatic) {
    out.t1 = static_cast<double>(frame1 + 1);
    out.t2 = static_cast<double>(frame2 + 1);
  } else {
    const double step = frames > 1 ? record.Duration / static_cast<double>(frames - 1) : 0;
    out.t1 = static_cast<double>(frame1) * step;
    out.t2 = static_cast<double>(frame2) * step;
  }
  out.dt = out.t2 - out.t1;
  out.inverseDt = out.dt != 0 ? 1.0 / out.dt : 0;

  const std::vector<int> positions = MeasuredPositions(record, channels);
  std::vector<Running> run(positions.size());
  std::vector<double> at1(positions.size()), at2(positions.size());
  const int64_t lo = std::min(frame1, frame2), hi = std::max(frame1, frame2);
  const bool ok =
      record.Samples == SampleFormat::Float64
          ? Measure<double>(record, channels, lo, hi, positions, run, at1, at2, frame1, frame2)
          : Measure<int16_t>(record, channels, lo, hi, positions, run, at1, at2, frame1, frame2);
  if (!ok) return out;
  const double count = static_cast<double>(hi - lo + 1);
  for (std::size_t c = 0; c < positions.size(); ++c) {
    ChannelReadout r;
    r.slot = record.PositionToSlot(positions[c]);
    const double k = record.Base[r.slot] / record.FullScale;
    r.at1 = at1[c] * k;
    r.at2 = at2[c] * k;
    r.diff = r.at2 - r.at1;
    r.min = run[c].min * k;
    r.max = run[c].max * k;
    r.mean = run[c].sum / count * k;
    r.rms = std::sqrt(run[c].sumSquares / count) * std::fabs(k);
    if (k < 0) std::swap(r.min, r.max);
    out.channels.push_back(r);
  }
  out.valid = true;
  return out;
}

std::string CursorReadoutText(const TGraphRecord& record, const CursorReadout& readout,
                              char separator, int decimals) {
  if (!readout.valid) return {};
  auto num = [separator, decimals](double v) {
    return decimals < 0 ? FormatGeneral(v, separator) : FormatFixed(v, decimals, separator);
  };
  std::string text;
  if (readout.isStatic) {
    text +=
        "N₁\t" + num(readout.t1) + "\tN₂\t" + num(readout.t2) + "\tΔN\t" + num(readout.dt) + "\n";
  } else {
    text += "t₁, c\t" + num(readout.t1) + "\tt₂, c\t" + num(readout.t2) + "\tΔt, c\t" +
            num(readout.dt) + "\t1/Δt, Гц\t" + num(readout.inverseDt) + "\n";
  }
  text += "Канал\tЕд.\tt₁\tt₂\tРазность\tМин.\tМакс.\tСреднее\tСКЗ\n";
  for (const ChannelReadout& c : readout.channels) {
    text += record.ChanName[c.slot] + "\t" + record.ChanUnit[c.slot];
    for (double v : {c.at1, c.at2, c.diff, c.min, c.max, c.mean, c.rms}) text += "\t" + num(v);
    text += "\n";
  }
  return text;
}

std::vector<std::vector<std::string>> ReadoutCells(std::string_view text) {
  std::vector<std::vector<std::string>> lines;
  while (!text.empty()) {
    const std::size_t end = std::min(text.find('\n'), text.size());
    std::string_view line = text.substr(0, end);
    text.remove_prefix(std::min(end + 1, text.size()));
    std::vector<std::string>& cells = lines.emplace_back();
    for (;;) {
      const std::size_t tab = line.find('\t');
      cells.emplace_back(line.substr(0, tab));
      if (tab == std::string_view::npos) break;
      line.remove_prefix(tab + 1);
    }
  }
  return lines;
}

std::string TurnedCursorReadoutText(std::string_view text) {
  const std::vector<std::vector<std::string>> lines = ReadoutCells(text);
  std::string turned;
  if (lines.empty()) return turned;
  for (std::size_t i = 0; i < lines[0].size(); i += 2) {
    turned += lines[0][i];
    if (i + 1 < lines[0].size()) (turned += '\t') += lines[0][i + 1];
    turned += '\n';
  }
  std::size_t columns = 0;
  for (std::size_t l = 1; l < lines.size(); ++l) columns = std::max(columns, lines[l].size());
  for (std::size_t c = 0; c < columns; ++c) {
    for (std::size_t l = 1; l < lines.size(); ++l) {
      if (l > 1) turned += '\t';
      if (c < lines[l].size()) turned += lines[l][c];
    }
    turned += '\n';
  }
  return turned;
}

}  // namespace tornel
