#include "ui/scheme/calc_progress.h"

#include <QCoreApplication>
#include <QProgressDialog>
#include <algorithm>

namespace {

constexpr int kSteps = 1000;
constexpr double kShowAfterSeconds = 1.0;

}  // namespace

CalcProgress::CalcProgress(QWidget* parent) : parent_(parent) { timer_.start(); }

CalcProgress::~CalcProgress() { delete window_; }

bool CalcProgress::Report(const tornel::RunProgress& progress) {
  if (progress.EndTime <= 0) return true;
  const double done =
      std::clamp(std::max(progress.Time, progress.Elapsed) / progress.EndTime, 0.0, 1.0);
  if (window_ == nullptr) {
    const double spent = timer_.elapsed() / 1000.0;
    const double expected = done > 0 ? spent / done : 0;
    if (expected < kShowAfterSeconds) return true;
    window_ = new QProgressDialog(QStringLiteral("Расчет..."), QStringLiteral("Отменить"), 0,
                                  kSteps, parent_);
    window_->setObjectName(QStringLiteral("CalcProgress"));
    window_->setWindowTitle(QStringLiteral("Расчет"));
    window_->setWindowModality(Qt::WindowModal);
    window_->setMinimumDuration(0);
    window_->show();
  }
  window_->setValue(static_cast<int>(done * kSteps));
  QCoreApplication::processEvents();
  return !window_->wasCanceled();
}
