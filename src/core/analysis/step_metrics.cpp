#include "core/analysis/step_metrics.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "core/analysis/column_scan.h"
#include "core/records/sample_file_reader.h"
#include "core/text/number_text.h"
#include "core/text/user_error.h"

namespace tornel {
namespace {

constexpr int64_t kChunkFrames = 4096;
constexpr std::array<double, 3> kLevels = {0.1, 0.5, 0.9};

[[noreturn]] void Refuse(const TransientSource& source, const std::string& text) {
  throw UserError(source.Name.empty() ? text : FileMessage(text, source.Name));
}

// One channel's running state, in stored units.
struct Track {
  int pos = 0;
  bool step = false;
  double sum = 0;  // of the frames before T0
  double y0 = 0, yf = 0, sign = 1, size = 0, lo = 0, hi = 0;
  double prev = 0;  // the frame before the one being looked at
  int level = 0;    // the next level to reach
  std::array<int64_t, 3> crossFrame{};
  std::array<double, 3> crossN{}, crossPrevN{};
  double peakZ = -std::numeric_limits<double>::infinity();
  int64_t peakFrame = -1;
  double peakValue = 0;
  int64_t lastOut = -1;
};

template <typename Sample>
class StepPass {
public:
  StepPass(const TransientSource& source, std::span<const AnalysisChannel> channels,
           const StepOptions& options)
      : src_(source), options_(options), channels_(channels) {
    if (!reader_.Open(source.Path, source.Channels, source.HeaderBytes)) {
      Refuse(source, "Не удалось открыть файл " + source.Path);
    }
    frames_ = std::min(source.Frames, reader_.FrameCount());
    if (frames_ < 1) Refuse(source, "В записи нет отсчётов");
    k0_ = FirstFrameAtOrAfter(source, options.StepTime);
    if (k0_ >= frames_) Refuse(source, "Момент скачка T0 позже последнего отсчёта записи");
    tracks_.resize(channels.size());
    for (std::size_t c = 0; c < channels.size(); ++c) tracks_[c].pos = channels[c].Position;
    chunk_.resize(static_cast<std::size_t>(kChunkFrames * source.Channels));
    mins_.resize(static_cast<std::size_t>(source.Channels));
    maxs_.resize(static_cast<std::size_t>(source.Channels));
    sums_.resize(static_cast<std::size_t>(source.Channels));
  }

  std::vector<StepMetrics> Run() {
    ReadTail();
    reader_.Seek(0);
    for (int64_t at = 0; at < frames_;) {
      const int64_t want = std::min(kChunkFrames, frames_ - at);
      const std::size_t got = reader_.Read(std::span<Sample>(chunk_.data(), Values(want)));
      if (got == 0) Refuse(src_, "Не удалось прочитать файл " + src_.Path);
      Chunk(at, static_cast<int64_t>(got));
      at += static_cast<int64_t>(got);
    }
    std::vector<StepMetrics> out;
    for (std::size_t c = 0; c < tracks_.size(); ++c)
      out.push_back(Result(tracks_[c], channels_[c]));
    return out;
  }

private:
  std::size_t Values(int64_t frames) const {
    return static_cast<std::size_t>(frames * src_.Channels);
  }
  double At(int64_t frameInChunk, int pos) const {
    return static_cast<double>(chunk_[Values(frameInChunk) + static_cast<std::size_t>(pos)]);
  }
  // Adds the sums of frames [from, to) of the chunk to every track's `sum`
  // (or yf).
  void AddSums(int64_t from, int64_t to, double Track::*field) {
    ColumnSums(chunk_.data() + Values(from), to - from, src_.Channels, sums_.data());
    for (Track& t : tracks_) t.*field += sums_[static_cast<std::size_t>(t.pos)];
  }

  void ReadTail() {
    const int64_t tail = std::max<int64_t>(1, frames_ / 20);
    reader_.Seek(frames_ - tail);
    for (int64_t left = tail; left > 0;) {
      const std::size_t got =
          reader_.Read(std::span<Sample>(chunk_.data(), Values(std::min(left, kChunkFrames))));
      if (got == 0) Refuse(src_, "Не удалось прочитать файл " + src_.Path);
      AddSums(0, static_cast<int64_t>(got), &Track::yf);
      left -= static_cast<int64_t>(got);
    }
    for (Track& t : tracks_) t.yf /= static_cast<double>(tail);
  }

  void Chunk(int64_t at, int64_t count) {
    int64_t from = 0;
    if (at < k0_) {
      from = std::min(count, k0_ - at);
      AddSums(0, from, &Track::sum);
      for (Track& t : tracks_) t.prev = At(from - 1, t.pos);
    }
    if (from == count) return;
    if (at + from == k0_) Start(from);
    AfterStep(at, from, count);
  }

  // At frame k0, the first frame of the step.
  void Start(int64_t k0InChunk) {
    const double oneCode = src_.FullScale / 511.0;
    for (std::size_t c = 0; c < tracks_.size(); ++c) {
      Track& t = tracks_[c];
      t.y0 = k0_ > 0 ? t.sum / static_cast<double>(k0_) : At(k0InChunk, t.pos);
      const double delta = t.yf - t.y0;
      const double scale = channels_[c].Scale;
      t.step =
          std::fabs(delta) >= oneCode && std::isfinite(delta) && std::isfinite(scale) && scale != 0;
      t.sign = delta < 0 ? -1.0 : 1.0;
      t.size = std::fabs(delta);
      const double band = options_.SettleBand * t.size / 100.0;
      t.lo = t.yf - band;
      t.hi = t.yf + band;
    }
  }

  void AfterStep(int64_t at, int64_t from, int64_t count) {
    const Sample* data = chunk_.data() + Values(from);
    const int64_t n = count - from;
    ColumnExtremes(data, n, src_.Channels, mins_.data(), maxs_.data());
    for (Track& t : tracks_) {
      if (!t.step) continue;
      if (t.level < 3) Crossings(t, at, from, count);
      const double top = static_cast<double>(t.sign > 0 ? maxs_[t.pos] : mins_[t.pos]);
      const double z = t.sign * (top - t.y0);
      if (z > t.peakZ) {
        int64_t f = from;
        while (At(f, t.pos) != top) ++f;
        t.peakZ = z;
        t.peakFrame = at + f;
        t.peakValue = top;
      }
      if (static_cast<double>(mins_[t.pos]) < t.lo || static_cast<double>(maxs_[t.pos]) > t.hi) {
        int64_t f = count - 1;
        for (;; --f) {
          const double v = At(f, t.pos);
          if (v < t.lo || v > t.hi) break;
        }
        t.lastOut = at + f;
      }
      t.prev = At(count - 1, t.pos);
    }
  }

  void Crossings(Track& t, int64_t at, int64_t from, int64_t count) {
    double prevN = t.sign * (t.prev - t.y0) / t.size;
    for (int64_t f = from; f < count && t.level < 3; ++f) {
      const double n = t.sign * (At(f, t.pos) - t.y0) / t.size;
      while (t.level < 3 && n >= kLevels[t.level]) {
        t.crossFrame[t.level] = at + f;
        t.crossN[t.level] = n;
        t.crossPrevN[t.level] = prevN;
        ++t.level;
      }
      prevN = n;
    }
  }

  std::optional<double> CrossingTime(const Track& t, int level) const {
    if (level >= t.level) return std::nullopt;
    const int64_t k = t.crossFrame[level];
    const double p = kLevels[level];
    const double n = t.crossN[level], before = t.crossPrevN[level];
    if (k == 0 || !(before < p)) return src_.FrameTime(k);
    const double t0 = src_.FrameTime(k - 1), t1 = src_.FrameTime(k);
    return t0 + (p - before) / (n - before) * (t1 - t0);
  }

  double ValueAt(int64_t frame, int pos) {
    std::vector<Sample> one(static_cast<std::size_t>(src_.Channels));
    if (!reader_.ReadFrame(frame, one)) Refuse(src_, "Не удалось прочитать файл " + src_.Path);
    return static_cast<double>(one[static_cast<std::size_t>(pos)]);
  }

  StepMetrics Result(const Track& t, const AnalysisChannel& channel) {
    StepMetrics m;
    const double k = channel.Scale;
    const double t0 = options_.StepTime;
    m.Initial = t.y0 * k;
    m.Final = t.yf * k;
    m.HasStep = t.step;
    if (!t.step) return m;
    m.T10 = CrossingTime(t, 0);
    m.T50 = CrossingTime(t, 1);
    m.T90 = CrossingTime(t, 2);
    if (m.T10 && m.T90) m.RiseTime = *m.T90 - *m.T10;
    if (m.T50) m.DelayTime = *m.T50 - t0;
    m.Peak = t.peakValue * k;
    m.PeakAt = src_.FrameTime(t.peakFrame);
    m.PeakTime = m.PeakAt - t0;
    m.OvershootPct = std::max(0.0, (t.peakZ / t.size - 1.0) * 100.0);
    if (t.lastOut < 0) {
      m.SettledAt = t0;
      m.SettlingTime = 0.0;
      m.SettledValue = ValueAt(k0_, t.pos) * k;
    } else if (t.lastOut < frames_ - 1) {
      m.SettledAt = src_.FrameTime(t.lastOut + 1);
      m.SettlingTime = *m.SettledAt - t0;
      m.SettledValue = ValueAt(t.lastOut + 1, t.pos) * k;
    }
    return m;
  }

  const TransientSource& src_;
  StepOptions options_;
  std::span<const AnalysisChannel> channels_;
  SampleFileReader<Sample> reader_;
  int64_t frames_ = 0;
  int64_t k0_ = 0;
  std::vector<Track> tracks_;
  std::vector<Sample> chunk_;
  std::vector<Sample> mins_, maxs_;
  std::vector<double> sums_;
};

}  // namespace

int64_t FirstFrameAtOrAfter(const TransientSource& source, double time) {
  if (source.Frames < 1 || !(source.Duration > 0)) return source.Frames;
  const double guess = std::ceil(time * static_cast<double>(source.Frames) / source.Duration);
  int64_t k = static_cast<int64_t>(std::clamp(guess, 0.0, static_cast<double>(source.Frames)));
  // The guess may be a frame off where i * D / N rounds the other way.
  while (k > 0 && source.FrameTime(k - 1) >= time) --k;
  while (k < source.Frames && source.FrameTime(k) < time) ++k;
  return k;
}

void CheckTransientSource(const TransientSource& source, const StepOptions& options) {
  if (source.IsStatic) {
    Refuse(source, "Это статическая характеристика, а не переходный процесс");
  }
  if (source.Channels < 1 || source.Frames < 2 || !(source.Duration > 0) ||
      !std::isfinite(source.Duration)) {
    Refuse(source, "В записи нет отсчётов переходного процесса");
  }
  const double last = source.FrameTime(source.Frames - 1);
  if (!(options.StepTime >= 0) || options.StepTime > last) {
    Refuse(source, "Момент скачка T0 должен лежать в пределах записи: от 0 до " +
                       FormatGeneral(last, '.') + " с");
  }
  if (options.SettleBand != 2 && options.SettleBand != 5) {
    Refuse(source, "Зона установления может быть 2 % или 5 %");
  }
}

std::vector<StepMetrics> MeasureSteps(const TransientSource& source,
                                      std::span<const AnalysisChannel> channels,
                                      const StepOptions& options) {
  CheckTransientSource(source, options);
  return VisitSampleFormat(source.Format, [&]<typename S>(std::type_identity<S>) {
    return StepPass<S>(source, channels, options).Run();
  });
}

}  // namespace tornel
