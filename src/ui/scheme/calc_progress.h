#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <QProgressDialog>

#include "core/scheme/scheme_calculation.h"

class QWidget;

// The calculation's progress: once the first ticks show that the run will
// take longer than about a second, a progress window with "Отменить" comes
// up; pressing it stops the run, keeping the samples so far.
class CalcProgress {
public:
  explicit CalcProgress(QWidget* parent);
  ~CalcProgress();
  CalcProgress(const CalcProgress&) = delete;
  CalcProgress& operator=(const CalcProgress&) = delete;

  // The calculation's progress callback: false once the user cancelled.
  bool Report(const tornel::RunProgress& progress);
  QProgressDialog* Window() const { return window_; }

private:
  QWidget* parent_;
  QElapsedTimer timer_;
  QPointer<QProgressDialog> window_;
};
