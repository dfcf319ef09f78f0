#include "core/spectrum/real_fft.h"

#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>
#include <utility>
#include <vector>

#include "core/text/user_error.h"

namespace tornel {
namespace {

// The transform's bins equal the defining sum, for odd, even and prime
// lengths, and survive a move of the buffer.
TEST(RealFftTest, BinsAreTheDiscreteFourierSum) {
  for (int n : {1, 2, 7, 12, 13, 97}) {
    std::vector<double> x(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) x[static_cast<std::size_t>(i)] = std::cos(1.7 * i) + 0.1 * i * i;
    RealFft moved(n);
    std::copy(x.begin(), x.end(), moved.Input().begin());
    RealFft fft = std::move(moved);
    fft.Transform();
    ASSERT_EQ(fft.Bins().size(), static_cast<std::size_t>(n / 2 + 1));
    for (int k = 0; k <= n / 2; ++k) {
      std::complex<double> sum = 0;
      for (int i = 0; i < n; ++i) {
        sum += x[static_cast<std::size_t>(i)] * std::polar(1.0, -2 * std::numbers::pi * k * i / n);
      }
      EXPECT_NEAR(std::abs(fft.Bins()[static_cast<std::size_t>(k)] - sum), 0, 1e-9 * n * n)
          << n << " " << k;
    }
  }
}

TEST(RealFftTest, LengthsFftwCannotPlanAreRefused) {
  for (int64_t n : {int64_t{0}, int64_t{-5}, int64_t{1} << 40}) {
    EXPECT_THROW(RealFft fft(n), UserError) << n;
  }
}

}  // namespace
}  // namespace tornel
