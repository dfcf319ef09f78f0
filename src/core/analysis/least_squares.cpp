#include "core/analysis/least_squares.h"

#include <Eigen/Core>
#include <cmath>
#include <unsupported/Eigen/NonLinearOptimization>
#include <unsupported/Eigen/NumericalDiff>

namespace tornel {
namespace {

// The functor shape Eigen's NumericalDiff and LevenbergMarquardt expect.
struct Problem {
  using Scalar = double;
  using InputType = Eigen::VectorXd;
  using ValueType = Eigen::VectorXd;
  using JacobianType = Eigen::MatrixXd;
  enum { InputsAtCompileTime = Eigen::Dynamic, ValuesAtCompileTime = Eigen::Dynamic };

  Problem(const ResidualFunction* f, Eigen::Index inputs, Eigen::Index values)
      : f_(f), inputs_(inputs), values_(values) {}

  int operator()(const Eigen::VectorXd& x, Eigen::VectorXd& r) const {
    (*f_)(std::span<const double>(x.data(), static_cast<std::size_t>(x.size())),
          std::span<double>(r.data(), static_cast<std::size_t>(r.size())));
    return 0;
  }
  Eigen::Index inputs() const { return inputs_; }
  Eigen::Index values() const { return values_; }

  const ResidualFunction* f_;
  Eigen::Index inputs_, values_;
};

bool Converged(Eigen::LevenbergMarquardtSpace::Status status) {
  using namespace Eigen::LevenbergMarquardtSpace;
  switch (status) {
    case RelativeReductionTooSmall:
    case RelativeErrorTooSmall:
    case RelativeErrorAndReductionTooSmall:
    case CosinusTooSmall:
    // The tolerances allow no further progress: the best the data gives.
    case FtolTooSmall:
    case XtolTooSmall:
    case GtolTooSmall:
      return true;
    default:
      return false;
  }
}

}  // namespace

LeastSquaresResult SolveLeastSquares(const ResidualFunction& residuals, std::size_t count,
                                     std::vector<double> start, int maxEvaluations) {
  LeastSquaresResult result;
  const auto inputs = static_cast<Eigen::Index>(start.size());
  Eigen::VectorXd x = Eigen::Map<const Eigen::VectorXd>(start.data(), inputs);
  if (count < start.size()) {
    result.x = std::move(start);
    return result;
  }
  Eigen::NumericalDiff<Problem, Eigen::Central> functor(
      Problem(&residuals, inputs, static_cast<Eigen::Index>(count)));
  Eigen::LevenbergMarquardt<Eigen::NumericalDiff<Problem, Eigen::Central>> lm(functor);
  lm.parameters.maxfev = maxEvaluations;
  const auto status = lm.minimize(x);
  result.x.assign(x.data(), x.data() + x.size());
  Eigen::VectorXd r(static_cast<Eigen::Index>(count));
  functor(x, r);
  result.sumOfSquares = r.squaredNorm();
  result.converged = Converged(status) && x.allFinite() && std::isfinite(result.sumOfSquares);
  return result;
}

}  // namespace tornel
