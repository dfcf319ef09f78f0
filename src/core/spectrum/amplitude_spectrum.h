#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "core/graph/filter_progress.h"
#include "core/records/graph_record.h"
#include "core/spectrum/real_fft.h"
#include "core/spectrum/spectrum_request.h"
#include "core/spectrum/spectrum_span.h"

namespace tornel {

// The amplitude spectrum of one channel over a span of n frames: the values
// in physical units (code / FullScale * Base), their mean removed, weighted
// by the window, padded with zeros to the transform's length and
// transformed. The length is the least one at or above n made of the
// factors 2, 3, 5 and 7, so that any n costs what a round one does (a prime
// n near ten million would take FFTW ten times longer); the padding only
// samples the same spectrum more finely. Memory is the transform's buffer;
// the sample file is streamed through a small buffer.
class AmplitudeSpectrum {
public:
  // Shows `progress` ("Спектр") while it reads; nothing when the user stops
  // it. Throws UserError when the sample file cannot be read to the span's
  // end, when a value is not a number, or when memory runs out.
  static std::optional<AmplitudeSpectrum> Compute(const TGraphRecord& record,
                                                  const SpectrumSpan& span, WindowFunction window,
                                                  FilterProgress* progress = nullptr);

  // Bins k = 0 .. length / 2 at k * BinHz(): the amplitude a sine of that
  // frequency shows there, the window's gain taken out (a sine of amplitude
  // A lying on bin k reads A at k).
  std::span<const double> Amplitudes() const { return amplitudes_; }
  double BinHz() const { return binHz_; }
  int64_t Frames() const { return frames_; }
  int64_t TransformLength() const { return fft_.Size(); }
  // The spectrum's true resolution, sample rate / frames, in bins (1 when
  // nothing was padded).
  double BinsPerResolution() const {
    return static_cast<double>(fft_.Size()) / static_cast<double>(frames_);
  }
  WindowFunction Window() const { return window_; }
  // The mean that was removed.
  double Dc() const { return dc_; }
  // The largest distance of a value from the mean; 0 for a constant signal.
  double Swing() const { return swing_; }

  // The least length at or above n whose prime factors are 2, 3, 5 and 7.
  static int64_t TransformLengthFor(int64_t n);

private:
  explicit AmplitudeSpectrum(RealFft fft) : fft_(std::move(fft)) {}

  RealFft fft_;
  int64_t frames_ = 0;
  std::span<const double> amplitudes_;
  double binHz_ = 0;
  double dc_ = 0;
  double swing_ = 0;
  WindowFunction window_ = WindowFunction::Hann;
};

}  // namespace tornel
