#include "core/spectrum/amplitude_spectrum.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "core/records/sample_file_reader.h"
#include "core/text/user_error.h"

namespace tornel {
namespace {

constexpr int kProgressSteps = 100;
constexpr int64_t kChunkFrames = 8192;

// A sum whose rounding does not grow with ten million terms (Neumaier).
class CompensatedSum {
public:
  void Add(double v) {
    const double t = sum_ + v;
    carry_ += std::abs(sum_) >= std::abs(v) ? (sum_ - t) + v : (v - t) + sum_;
    sum_ = t;
  }
  double Value() const { return sum_ + carry_; }

private:
  double sum_ = 0;
  double carry_ = 0;
};

// Steps `progress` once per hundredth of `total`; false when it was stopped.
class PercentSteps {
public:
  PercentSteps(FilterProgress* progress, int64_t total) : progress_(progress), total_(total) {
    if (progress_ != nullptr) progress_->Begin("Спектр", kProgressSteps + 1);
  }
  bool Reach(int64_t done) {
    if (progress_ == nullptr) return true;
    const int64_t percent = done * kProgressSteps / std::max<int64_t>(total_, 1);
    while (shown_ < percent) {
      ++shown_;
      if (!progress_->Step()) return false;
    }
    return true;
  }
  bool Last() { return progress_ == nullptr || progress_->Step(); }

private:
  FilterProgress* progress_;
  int64_t total_;
  int64_t shown_ = 0;
};

// The channel's values of the span in physical units into `out`.
template <typename Sample>
bool ReadChannel(const TGraphRecord& record, const SpectrumSpan& span, std::span<double> out,
                 PercentSteps& steps) {
  const int channels = record.FrameValues();
  SampleFileReader<Sample> reader(record.SampleFile, channels);
  reader.Seek(span.first);
  const double scale = record.Base[span.slot] / record.FullScale;
  std::vector<Sample> chunk(static_cast<std::size_t>(kChunkFrames * channels));
  int64_t done = 0;
  while (done < span.count) {
    const int64_t want = std::min(kChunkFrames, span.count - done);
    const std::size_t got =
        reader.Read(std::span<Sample>(chunk.data(), static_cast<std::size_t>(want * channels)));
    if (got == 0) throw UserError("Не удалось прочитать файл " + record.SampleFile);
    for (std::size_t f = 0; f < got; ++f) {
      const double v = static_cast<double>(chunk[f * channels + span.position]) * scale;
      if (!std::isfinite(v)) throw UserError("В канале есть отсчёты, не являющиеся числами");
      out[static_cast<std::size_t>(done) + f] = v;
    }
    done += static_cast<int64_t>(got);
    if (!steps.Reach(done)) return false;
  }
  return true;
}

}  // namespace

int64_t AmplitudeSpectrum::TransformLengthFor(int64_t n) {
  for (int64_t m = std::max<int64_t>(n, 1);; ++m) {
    int64_t rest = m;
    for (int64_t p : {2, 3, 5, 7}) {
      while (rest % p == 0) rest /= p;
    }
    if (rest == 1) return m;
  }
}

std::optional<AmplitudeSpectrum> AmplitudeSpectrum::Compute(const TGraphRecord& record,
                                                            const SpectrumSpan& span,
                                                            WindowFunction window,
                                                            FilterProgress* progress) {
  AmplitudeSpectrum s(RealFft(TransformLengthFor(span.count)));
  s.frames_ = span.count;
  PercentSteps steps(progress, span.count);
  std::span<double> x = s.fft_.Input().first(static_cast<std::size_t>(span.count));
  const bool read = VisitSampleFormat(record.Samples, [&]<typename S>(std::type_identity<S>) {
    return ReadChannel<S>(record, span, x, steps);
  });
  if (!read) return std::nullopt;

  const auto n = static_cast<double>(x.size());
  CompensatedSum sum;
  for (double v : x) sum.Add(v);
  s.dc_ = sum.Value() / n;
  // Periodic Hann (DFT-even): a sine on a bin spreads over exactly three
  // bins, which is what the peak interpolation assumes.
  CompensatedSum gain;
  const double step = 2 * std::numbers::pi / n;
  for (std::size_t i = 0; i < x.size(); ++i) {
    const double centred = x[i] - s.dc_;
    s.swing_ = std::max(s.swing_, std::abs(centred));
    const double w =
        window == WindowFunction::Hann ? 0.5 - 0.5 * std::cos(step * static_cast<double>(i)) : 1.0;
    gain.Add(w);
    x[i] = centred * w;
  }
  std::span<double> padding = s.fft_.Input().subspan(x.size());
  std::fill(padding.begin(), padding.end(), 0.0);
  s.fft_.Transform();
  if (!steps.Last()) return std::nullopt;

  // Amplitudes over the bins in place: amplitude k lands on double k, which
  // belongs to bin k / 2, already read.
  const double sumW = gain.Value();
  const int64_t bins = s.fft_.BinCount();
  const int64_t size = s.fft_.Size();
  std::span<const std::complex<double>> spectrum = s.fft_.Bins();
  std::span<double> out = s.fft_.Scratch();
  for (int64_t k = 0; k < bins; ++k) {
    const bool single = k == 0 || 2 * k == size;  // DC and Nyquist have no mirror
    const double a = std::abs(spectrum[static_cast<std::size_t>(k)]) * (single ? 1 : 2) / sumW;
    out[static_cast<std::size_t>(k)] = a;
  }
  s.amplitudes_ = out.first(static_cast<std::size_t>(bins));
  s.binHz_ = span.sampleRate / static_cast<double>(size);
  s.window_ = window;
  return s;
}

}  // namespace tornel
