#pragma once

#include <cstddef>
#include <functional>
#include <span>
#include <vector>

namespace tornel {

// Fills r with the residuals at the parameters x.
using ResidualFunction = std::function<void(std::span<const double> x, std::span<double> r)>;

struct LeastSquaresResult {
  std::vector<double> x;
  bool converged = false;
  double sumOfSquares = 0;
};

// Minimises the sum of squared residuals from `start` with Levenberg-
// Marquardt (derivatives by central differences). `converged` is false when
// the evaluations ran out, the input was unusable or the result is not
// finite.
LeastSquaresResult SolveLeastSquares(const ResidualFunction& residuals, std::size_t count,
                                     std::vector<double> start, int maxEvaluations);

}  // namespace tornel
