#include "core/spectrum/real_fft.h"

#include <fftw3.h>

#include <limits>
#include <mutex>
#include <string>
#include <utility>

#include "core/text/user_error.h"

namespace tornel {
namespace {

std::mutex& PlannerLock() {
  static std::mutex lock;
  return lock;
}

}  // namespace

RealFft::RealFft(int64_t n) : n_(n) {
  if (n < 1 || n > std::numeric_limits<int>::max() - 2) {
    throw UserError("Спектр не строится по " + std::to_string(n) + " отсчётам");
  }
  const auto doubles = static_cast<std::size_t>(2 * BinCount());
  data_ = static_cast<double*>(fftw_malloc(sizeof(double) * doubles));
  if (data_ == nullptr) {
    throw UserError("Недостаточно памяти для спектра из " + std::to_string(n) + " отсчётов");
  }
  {
    std::lock_guard<std::mutex> guard(PlannerLock());
    // Estimating never touches the arrays and plans in microseconds; a
    // measured plan would cost more than the one transform it serves.
    plan_ = fftw_plan_dft_r2c_1d(static_cast<int>(n), data_, reinterpret_cast<fftw_complex*>(data_),
                                 FFTW_ESTIMATE);
  }
  if (plan_ == nullptr) {
    fftw_free(data_);
    data_ = nullptr;
    throw UserError("Не удалось подготовить преобразование Фурье для " + std::to_string(n) +
                    " отсчётов");
  }
}

RealFft::~RealFft() { Release(); }

RealFft::RealFft(RealFft&& other) noexcept
    : n_(std::exchange(other.n_, 0)),
      data_(std::exchange(other.data_, nullptr)),
      plan_(std::exchange(other.plan_, nullptr)) {}

RealFft& RealFft::operator=(RealFft&& other) noexcept {
  if (this != &other) {
    Release();
    n_ = std::exchange(other.n_, 0);
    data_ = std::exchange(other.data_, nullptr);
    plan_ = std::exchange(other.plan_, nullptr);
  }
  return *this;
}

void RealFft::Release() noexcept {
  if (plan_ != nullptr) {
    std::lock_guard<std::mutex> guard(PlannerLock());
    fftw_destroy_plan(static_cast<fftw_plan>(plan_));
    plan_ = nullptr;
  }
  if (data_ != nullptr) {
    fftw_free(data_);
    data_ = nullptr;
  }
}

void RealFft::Transform() {
  if (plan_ != nullptr) fftw_execute(static_cast<fftw_plan>(plan_));
}

std::span<std::complex<double>> RealFft::Bins() {
  // fftw_complex is laid out as std::complex<double>, which FFTW's manual
  // allows to cast between.
  return {reinterpret_cast<std::complex<double>*>(data_), static_cast<std::size_t>(BinCount())};
}

}  // namespace tornel
