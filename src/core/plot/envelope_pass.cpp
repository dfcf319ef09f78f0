#include "core/plot/envelope_pass.h"

#include <algorithm>
#include <cmath>

#include "core/plot/pen_restorer.h"
#include "core/plot/safe_coord.h"

namespace tornel {
namespace {

constexpr int64_t kWindowFrames = 1024;

}  // namespace

template <typename Sample>
EnvelopePass<Sample>::EnvelopePass(SampleFileReader<Sample>& reader,
                                   const SampleSummary<Sample>* summary, const TimeAxis& axis)
    : reader_(reader), summary_(summary), axis_(axis) {
  total_ = reader_.FrameCount();
  stride_ = static_cast<std::size_t>(reader_.ChannelCount());
  if (summary_ && (summary_->Channels() != reader_.ChannelCount() || summary_->Levels() == 0 ||
                   summary_->Frames() > total_)) {
    summary_ = nullptr;
  }
  xStep_ = axis_.n > 0 ? static_cast<double>(axis_.W) / static_cast<double>(axis_.n) : 0;
  capacity_ = kWindowFrames;
  // With a summary only the frames around block boundaries are read, so a
  // miss reads one block's worth; without one the whole range streams by.
  readAhead_ = summary_ ? SampleSummary<Sample>::kFactor : kWindowFrames;
}

template <typename Sample>
int64_t EnvelopePass<Sample>::ColumnOf(int64_t K) const {
  return static_cast<int64_t>(std::trunc(static_cast<double>(K) * xStep_));
}

template <typename Sample>
int64_t EnvelopePass<Sample>::ColumnStart(int64_t column) const {
  if (column <= 0 || !(xStep_ > 0)) return 0;
  auto K = static_cast<int64_t>(std::ceil(static_cast<double>(column) / xStep_));
  // The division may land a frame off; the column test itself decides.
  while (K > 0 && ColumnOf(K - 1) >= column) --K;
  while (ColumnOf(K) < column) ++K;
  return K;
}

template <typename Sample>
const Sample* EnvelopePass<Sample>::Frames(int64_t frame, int64_t count) {
  if (frame >= windowFirst_ && frame + count <= windowFirst_ + windowFrames_) {
    return window_.data() + static_cast<std::size_t>(frame - windowFirst_) * stride_;
  }
  const int64_t want = std::min({std::max(count, readAhead_), capacity_, total_ - frame});
  if (want < count) return nullptr;
  reader_.Seek(frame);
  windowFirst_ = frame;
  windowFrames_ = static_cast<int64_t>(
      reader_.Read(std::span<Sample>(window_.data(), stride_ * static_cast<std::size_t>(want))));
  return windowFrames_ >= count ? window_.data() : nullptr;
}

template <typename Sample>
bool EnvelopePass<Sample>::CoverRaw(int64_t a, int64_t b) {
  while (a < b) {
    const int64_t count = std::min(b - a, capacity_);
    const Sample* frames = Frames(a, count);
    if (!frames) return false;
    for (int64_t f = 0; f < count; ++f, frames += stride_) {
      for (std::size_t i = 0; i < positions_.size(); ++i) {
        const Sample v = frames[positions_[i]];
        mins_[i] = std::min(mins_[i], v);
        maxs_[i] = std::max(maxs_[i], v);
      }
    }
    a += count;
  }
  return true;
}

template <typename Sample>
bool EnvelopePass<Sample>::Cover(int64_t a, int64_t b, int level) {
  if (a >= b) return true;
  if (level < 0) return CoverRaw(a, b);
  const int64_t B = SampleSummary<Sample>::BlockFrames(level);
  const int64_t fb = (a + B - 1) / B;
  const int64_t lb = std::min(b / B, summary_->Blocks(level));
  if (fb >= lb) return Cover(a, b, level - 1);
  for (std::size_t i = 0; i < positions_.size(); ++i) {
    const Sample* mn = summary_->Mins(level, positions_[i]);
    const Sample* mx = summary_->Maxs(level, positions_[i]);
    mins_[i] = std::min(mins_[i], *std::min_element(mn + fb, mn + lb));
    maxs_[i] = std::max(maxs_[i], *std::max_element(mx + fb, mx + lb));
  }
  return Cover(a, fb * B, level - 1) && Cover(lb * B, b, level - 1);
}

template <typename Sample>
int EnvelopePass<Sample>::TopLevelFor(int64_t frames) const {
  if (!summary_) return -1;
  int level = -1;
  while (level + 1 < summary_->Levels() &&
         SampleSummary<Sample>::BlockFrames(level + 1) <= frames) {
    ++level;
  }
  return level;
}

template <typename Sample>
void EnvelopePass<Sample>::Draw(Canvas& canvas, std::span<const TimeCurve> curves, int64_t kFirst,
                                int64_t kLast) {
  if (curves.empty() || kLast <= kFirst || stride_ == 0 || !(xStep_ > 0)) return;
  const std::size_t nc = curves.size();
  positions_.clear();
  for (const TimeCurve& c : curves) positions_.push_back(c.pos);
  mins_.resize(nc);
  maxs_.resize(nc);
  window_.resize(stride_ * static_cast<std::size_t>(capacity_));
  std::vector<Sample> firsts(nc), lasts(nc);
  const std::size_t perCurve = 4 * static_cast<std::size_t>(kBatchColumns) + 1;
  std::vector<Point> points(nc * perCurve);
  std::vector<std::size_t> used(nc, 0);

  PenRestorer restore(canvas);
  auto yOf = [&](Sample v, double factor) {
    return ToCoord(axis_.yc - (static_cast<double>(v) * factor - axis_.ycv) * axis_.yScale);
  };
  auto copyFrame = [&](int64_t frame, std::vector<Sample>& out) {
    const Sample* values = Frames(frame, 1);
    if (!values) return false;
    for (std::size_t i = 0; i < nc; ++i) out[i] = values[positions_[i]];
    return true;
  };

  const int64_t cLast = ColumnOf(kLast);
  bool ok = true;
  for (int64_t c0 = ColumnOf(kFirst); ok && c0 <= cLast; c0 += kBatchColumns) {
    const int64_t cEnd = std::min(c0 + kBatchColumns - 1, cLast);
    for (int64_t c = c0; c <= cEnd; ++c) {
      const int64_t a = axis_.i0 + std::max(ColumnStart(c), kFirst);
      const int64_t b = axis_.i0 + std::min(ColumnStart(c + 1), kLast + 1);
      if (a >= b) continue;
      if (!copyFrame(a, firsts)) {
        ok = false;
        break;
      }
      std::copy(firsts.begin(), firsts.end(), mins_.begin());
      std::copy(firsts.begin(), firsts.end(), maxs_.begin());
      if (!Cover(a, b, TopLevelFor(b - a)) || !copyFrame(b - 1, lasts)) {
        ok = false;
        break;
      }
      const int32_t x = ToCoord(static_cast<int64_t>(axis_.x0) + c);
      for (std::size_t i = 0; i < nc; ++i) {
        Point* p = points.data() + i * perCurve + used[i];
        const double f = curves[i].factor;
        p[0] = {x, yOf(firsts[i], f)};
        p[1] = {x, yOf(mins_[i], f)};
        p[2] = {x, yOf(maxs_[i], f)};
        p[3] = {x, yOf(lasts[i], f)};
        used[i] += 4;
      }
    }
    for (std::size_t i = 0; i < nc; ++i) {
      if (used[i] < 2) continue;
      Point* line = points.data() + i * perCurve;
      canvas.SetPen(curves[i].pen);
      canvas.Polyline(std::span<const Point>(line, used[i]));
      // The next batch starts where this one ended.
      line[0] = line[used[i] - 1];
      used[i] = 1;
    }
  }
}

template class EnvelopePass<int16_t>;
template class EnvelopePass<double>;

}  // namespace tornel
