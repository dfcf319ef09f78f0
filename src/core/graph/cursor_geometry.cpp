#include "core/graph/cursor_geometry.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "core/graph/zoom_band.h"
#include "core/plot/plot_legend.h"
#include "core/plot/safe_coord.h"
#include "core/records/sample_file_reader.h"

namespace tornel {
namespace {

constexpr int64_t kChunkFrames = 4096;

double Factor(const TGraphRecord& record, int position) {
  const int slot = record.PositionToSlot(position);
  return slot < 0 ? NAN : record.Base[slot] / record.RealBase[slot];
}

// The dependency plot's x scale, inverted to find a cursor's value.
AbscissaScale ScaleOf(const TGraphRecord& record, const PlotRect& rect,
                      const PlotMargins& margins) {
  AbscissaScale s = DependencyAbscissa(record, rect, margins);
  s.ok = s.ok && s.scale != 0;
  return s;
}

template <typename Sample>
std::optional<double> ValueAt(const TGraphRecord& record, int position, int64_t frame) {
  SampleFileReader<Sample> reader;
  const int channels = record.FrameValues();
  if (!reader.Open(record.SampleFile, channels)) return std::nullopt;
  std::vector<Sample> values(static_cast<std::size_t>(channels));
  if (!reader.ReadFrame(frame, values)) return std::nullopt;
  return static_cast<double>(values[static_cast<std::size_t>(position)]) * Factor(record, position);
}

template <typename Sample>
int64_t Nearest(const TGraphRecord& record, int position, double value,
                const VisibleFrames& visible) {
  SampleFileReader<Sample> reader;
  const int channels = record.FrameValues();
  if (!reader.Open(record.SampleFile, channels)) return -1;
  const double factor = Factor(record, position);
  const int64_t first = std::max<int64_t>(visible.first, 0);
  const int64_t last = std::min(visible.first + visible.count, reader.FrameCount() - 1);
  std::vector<Sample> chunk(static_cast<std::size_t>(channels * kChunkFrames));
  int64_t best = -1;
  double bestDistance = INFINITY;
  reader.Seek(first);
  for (int64_t at = first; at <= last;) {
    const auto want = static_cast<std::size_t>(std::min(last - at + 1, kChunkFrames) * channels);
    const std::size_t got = reader.Read(std::span<Sample>(chunk.data(), want));
    if (got == 0) break;
    const Sample* p = chunk.data() + position;
    for (std::size_t j = 0; j < got; ++j, p += channels) {
      const double distance = std::fabs(static_cast<double>(*p) * factor - value);
      // Strictly nearer only: of equal distances the earlier frame stays.
      if (distance < bestDistance) {
        bestDistance = distance;
        best = at + static_cast<int64_t>(j);
      }
    }
    at += static_cast<int64_t>(got);
  }
  return best;
}

int64_t FrameCount(const TGraphRecord& record) { return static_cast<int64_t>(record.FrameCount); }

}  // namespace

int CursorAbscissaPosition(const TGraphRecord& record) {
  if (record.AcpShowMask != 0 || record.CapShowMask != 0) return -1;
  for (const Dependency& dep : record.Deps) {
    if (IsDrawableDependency(record, dep)) return dep.XIndex;
  }
  return -1;
}

std::optional<double> AbscissaAt(const TGraphRecord& record, int position, int64_t frame) {
  if (record.PositionToSlot(position) < 0) return std::nullopt;
  return record.Samples == SampleFormat::Float64 ? ValueAt<double>(record, position, frame)
                                                 : ValueAt<int16_t>(record, position, frame);
}

int64_t NearestAbscissaFrame(const TGraphRecord& record, int position, double value,
                             const VisibleFrames& visible) {
  if (record.PositionToSlot(position) < 0 || visible.count < 0) return -1;
  return record.Samples == SampleFormat::Float64
             ? Nearest<double>(record, position, value, visible)
             : Nearest<int16_t>(record, position, value, visible);
}

int CursorColumn(const TGraphRecord& record, int64_t frame, const PlotRect& rect,
                 const PlotMargins& margins) {
  const PlotRect inner = InnerPlotRect(rect, margins);
  const int position = CursorAbscissaPosition(record);
  if (position < 0) {
    return CursorPair::XOfFrame(frame, VisibleRange(record), inner.Left, inner.Width());
  }
  const AbscissaScale s = ScaleOf(record, rect, margins);
  const std::optional<double> value = AbscissaAt(record, position, frame);
  if (!s.ok || !value) return inner.Left;
  return ToCoord((*value - s.centre) * s.scale + s.xc);
}

int64_t CursorFrameAtColumn(const TGraphRecord& record, int x, const PlotRect& rect,
                            const PlotMargins& margins) {
  const PlotRect inner = InnerPlotRect(rect, margins);
  const VisibleFrames visible = VisibleRange(record);
  const int position = CursorAbscissaPosition(record);
  if (position < 0) return CursorPair::FrameAtX(x, visible, inner.Left, inner.Width());
  const AbscissaScale s = ScaleOf(record, rect, margins);
  if (!s.ok) return visible.first;
  const int64_t frame =
      NearestAbscissaFrame(record, position, (x - s.xc) / s.scale + s.centre, visible);
  return frame < 0 ? visible.first : frame;
}

void PlaceCursors(CursorPair& cursors, const TGraphRecord& record) {
  const VisibleFrames visible = VisibleRange(record);
  cursors.Place(visible);
  const int position = CursorAbscissaPosition(record);
  if (position < 0) return;
  const double span = record.XMax - record.XMin;
  for (int i = 0; i < 2; ++i) {
    const double value = (record.XMin + span * (i + 1) / 3.0) * record.FullScale;
    const int64_t frame = NearestAbscissaFrame(record, position, value, visible);
    if (frame >= 0) cursors.Set(i, frame, FrameCount(record));
  }
  cursors.SetActive(0);
}

}  // namespace tornel
