#include "core/plot/curve_pass.h"

#include <algorithm>
#include <bit>
#include <cmath>

#include "core/plot/display_color.h"
#include "core/plot/pen_restorer.h"
#include "core/plot/plot_legend.h"
#include "core/plot/safe_coord.h"

namespace tornel {
namespace {

// Frame numbers far beyond any file, yet exact as doubles.
constexpr double kFrameLimit = 9.0e15;

bool FrameNumber(double v, int64_t& out) {
  if (!std::isfinite(v) || v < -kFrameLimit || v > kFrameLimit) return false;
  out = static_cast<int64_t>(v);
  return true;
}

}  // namespace

template <typename Sample>
CurvePass<Sample>::CurvePass(const TGraphRecord& record, const PlotGeometry& geometry,
                             const std::string& path)
    : record_(record), g_(geometry), path_(path) {
  channels_ = std::popcount(record.AcpMask) + std::popcount(record.CapMask);
  if (channels_ == 0 || !reader_.Open(path, channels_)) return;
  const double span = (record.YMax - record.YMin) * record.FullScale;
  yScale_ = g_.H / span;
  yc_ = g_.rect.Top + (g_.rect.Bottom - g_.rect.Top + g_.margins.Top - g_.margins.Bottom) / 2;
  ycv_ = (record.YMin + record.YMax) * 0.5 * record.FullScale;
  // An undefined scale draws no curves rather than NaN coordinates.
  if (span == 0 || !std::isfinite(yScale_) || !std::isfinite(ycv_) || !TimeRange()) {
    reader_.Close();
  }
}

template <typename Sample>
bool CurvePass<Sample>::TimeRange() {
  const double duration = record_.Duration;
  if (!(duration > 0)) return false;
  const double frames = static_cast<double>(reader_.FrameCount());
  int64_t i1 = 0;
  if (!FrameNumber(std::floor(frames * record_.TMin / duration), i0_) ||
      !FrameNumber(std::floor(frames * record_.TMax / duration) - 1, i1)) {
    return false;
  }
  n_ = i1 - i0_;
  return n_ >= 1;
}

template <typename Sample>
double CurvePass<Sample>::SlotFactor(int pos) const {
  const int slot = record_.PositionToSlot(pos);
  return slot < 0 ? NAN : record_.Base[slot] / record_.RealBase[slot];
}

template <typename Sample>
Pen CurvePass<Sample>::CurvePen(Canvas& canvas, Color color) const {
  return {canvas.IsPrinter() ? kBlack : color, 1, PenStyle::Solid, PenMode::Copy};
}

template <typename Sample>
void CurvePass<Sample>::DrawTime(Canvas& canvas, TimeCurveMode mode) {
  if (!reader_.IsOpen()) return;
  std::vector<Curve> curves;
  for (int pos = 0; pos < channels_; ++pos) {
    const int slot = record_.PositionToSlot(pos);
    const bool dac = slot >= kCapSlotBase;
    const uint16_t shown = dac ? record_.CapShowMask : record_.AcpShowMask;
    if (!((shown >> (dac ? slot - kCapSlotBase : slot)) & 1)) continue;
    Curve c;
    c.yPos = pos;
    c.yFactor = SlotFactor(pos);
    c.pen = CurvePen(canvas, record_.ChanColor[slot]);
    // A channel without a usable base value cannot be placed.
    if (std::isfinite(c.yFactor)) curves.push_back(c);
  }
  if (UseEnvelope(mode)) {
    DrawEnvelope(canvas, curves);
  } else {
    Run(canvas, curves, true);
  }
}

template <typename Sample>
bool CurvePass<Sample>::UseEnvelope(TimeCurveMode mode) const {
  if (mode == TimeCurveMode::Auto) return g_.W > 0 && n_ > kEnvelopeFramesPerColumn * g_.W;
  return mode == TimeCurveMode::Envelope;
}

template <typename Sample>
void CurvePass<Sample>::DrawEnvelope(Canvas& canvas, const std::vector<Curve>& curves) {
  const int64_t total = reader_.FrameCount();
  const int64_t kFirst = (i0_ < 0 ? 0 : i0_) - i0_;
  const int64_t kLast = std::min(n_, total - 1 - i0_);
  if (curves.empty() || kLast <= kFirst) return;
  std::vector<TimeCurve> timeCurves;
  for (const Curve& c : curves) timeCurves.push_back({c.yPos, c.yFactor, c.pen});
  const TimeAxis axis{i0_, n_, g_.x0, g_.W, yc_, ycv_, yScale_};
  EnvelopePass<Sample>(reader_, record_.Summaries.template Find<Sample>(path_, channels_), axis)
      .Draw(canvas, timeCurves, kFirst, kLast);
}

template <typename Sample>
void CurvePass<Sample>::DrawDeps(Canvas& canvas) {
  if (!reader_.IsOpen()) return;
  std::vector<Curve> curves;
  for (int k = 0; k < kDependencyCount; ++k) {
    const Dependency& dep = record_.Deps[k];
    if (!IsDrawableDependency(record_, dep)) continue;
    Curve c;
    c.xPos = dep.XIndex;
    c.yPos = dep.YIndex;
    c.xFactor = SlotFactor(dep.XIndex);
    c.yFactor = SlotFactor(dep.YIndex);
    c.pen = CurvePen(canvas, record_.DepColor[k]);
    if (std::isfinite(c.xFactor) && std::isfinite(c.yFactor)) curves.push_back(c);
  }
  Run(canvas, curves, false);
}

template <typename Sample>
void CurvePass<Sample>::Run(Canvas& canvas, const std::vector<Curve>& curves, bool againstTime) {
  if (curves.empty()) return;
  double xScale = 0, xc = 0, xcv = 0, xStep = 0;
  if (againstTime) {
    xStep = static_cast<double>(g_.W) / static_cast<double>(n_);
  } else {
    const AbscissaScale abscissa = DependencyAbscissa(record_, g_.rect, g_.margins);
    if (!abscissa.ok) return;
    xScale = abscissa.scale;
    xc = abscissa.xc;
    xcv = abscissa.centre;
  }

  const int64_t total = reader_.FrameCount();
  // A range that begins before the file keeps its place on the axis: the
  // first frame is drawn where it falls.
  const int64_t first = i0_ < 0 ? 0 : i0_;
  if (first >= total || first - i0_ >= n_) return;
  const int64_t chunkFrames = n_ < kChunkFrames ? n_ : kChunkFrames;
  const auto stride = static_cast<std::size_t>(channels_);
  prev_.resize(stride);
  chunk_.resize(stride * static_cast<std::size_t>(chunkFrames));
  xs_.resize(static_cast<std::size_t>(chunkFrames) + 1);
  points_.resize(static_cast<std::size_t>(chunkFrames) + 1);
  if (!reader_.ReadFrame(first, prev_)) return;
  reader_.Seek(first + 1);

  PenRestorer restore(canvas);
  auto yOf = [&](double v, double factor) { return ToCoord(yc_ - (v * factor - ycv_) * yScale_); };
  auto xOf = [&](double v, double factor) { return ToCoord((v * factor - xcv) * xScale + xc); };

  for (int64_t K = first - i0_; K < n_;) {
    int64_t chunk = n_ - K < chunkFrames ? n_ - K : chunkFrames;
    const int64_t left = total - reader_.Position();
    if (chunk > left) chunk = left;
    if (chunk <= 0) break;
    const auto got = static_cast<int64_t>(
        reader_.Read(std::span<Sample>(chunk_.data(), stride * static_cast<std::size_t>(chunk))));
    if (got <= 0) break;
    const auto count = static_cast<std::size_t>(got);
    if (againstTime) {
      for (std::size_t j = 0; j <= count; ++j) {
        xs_[j] =
            ToCoord(g_.x0 + std::trunc(static_cast<double>(K + static_cast<int64_t>(j)) * xStep));
      }
    }
    for (const Curve& c : curves) {
      const auto yPos = static_cast<std::size_t>(c.yPos);
      const Sample* values = chunk_.data();
      if (againstTime) {
        points_[0] = {xs_[0], yOf(prev_[yPos], c.yFactor)};
        for (std::size_t j = 0; j < count; ++j) {
          points_[j + 1] = {xs_[j + 1], yOf(values[j * stride + yPos], c.yFactor)};
        }
      } else {
        const auto xPos = static_cast<std::size_t>(c.xPos);
        points_[0] = {xOf(prev_[xPos], c.xFactor), yOf(prev_[yPos], c.yFactor)};
        for (std::size_t j = 0; j < count; ++j) {
          const Sample* frame = values + j * stride;
          points_[j + 1] = {xOf(frame[xPos], c.xFactor), yOf(frame[yPos], c.yFactor)};
        }
      }
      canvas.SetPen(c.pen);
      canvas.Polyline(std::span<const Point>(points_.data(), count + 1));
    }
    std::copy(chunk_.begin() + static_cast<std::ptrdiff_t>((count - 1) * stride),
              chunk_.begin() + static_cast<std::ptrdiff_t>(count * stride), prev_.begin());
    K += got;
  }
}

template class CurvePass<int16_t>;
template class CurvePass<double>;

}  // namespace tornel
