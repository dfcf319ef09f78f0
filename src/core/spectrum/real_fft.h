#pragma once

#include <complex>
#include <cstdint>
#include <span>

namespace tornel {

// The discrete Fourier transform of n real values, in place, by FFTW: any
// length, not only powers of two. The buffer is FFTW's own (aligned) and
// holds the n inputs before Transform() and the n / 2 + 1 complex bins
// after it, X_k = sum x_i exp(-2 pi i k j / n), unscaled.
//
// FFTW's planner is not thread-safe, so every plan is made and destroyed
// here under one lock; a transform itself may run on any thread.
class RealFft {
public:
  // Throws UserError when n is below 1, too large for FFTW's plans, or the
  // memory cannot be had.
  explicit RealFft(int64_t n);
  ~RealFft();
  RealFft(RealFft&& other) noexcept;
  RealFft& operator=(RealFft&& other) noexcept;
  RealFft(const RealFft&) = delete;
  RealFft& operator=(const RealFft&) = delete;

  int64_t Size() const { return n_; }
  int64_t BinCount() const { return n_ / 2 + 1; }

  // The n input values.
  std::span<double> Input() { return {data_, static_cast<std::size_t>(n_)}; }
  void Transform();
  // The n / 2 + 1 bins after Transform().
  std::span<std::complex<double>> Bins();
  // The whole buffer as doubles (2 * BinCount() of them), for results that
  // may overwrite the bins in place.
  std::span<double> Scratch() { return {data_, static_cast<std::size_t>(2 * BinCount())}; }

private:
  void Release() noexcept;

  int64_t n_ = 0;
  double* data_ = nullptr;
  void* plan_ = nullptr;  // fftw_plan
};

}  // namespace tornel
