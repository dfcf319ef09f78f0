#include "ui/widgets/progress_dlg.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QProgressBar>
#include <QVBoxLayout>

#include "ui/widgets/center_on_screen.h"
#include "ui/widgets/input_discarder.h"

TProgressDlg::~TProgressDlg() {
  // Released while shown, as callers do: hide first, so the input of the
  // last moments is dropped too.
  hide();
}

TProgressDlg::TProgressDlg(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowStaysOnTopHint),
      bar_(new QProgressBar(this)) {
  setObjectName(QStringLiteral("ProgressDlg"));
  bar_->setObjectName(QStringLiteral("ProgressBar1"));
  bar_->setRange(0, 100);
  bar_->setValue(0);
  bar_->setTextVisible(false);
  bar_->setMinimumWidth(320);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(bar_);
  setFixedSize(sizeHint());
}

void TProgressDlg::SetMax(int max) { bar_->setMaximum(max); }

void TProgressDlg::SetPosition(int position) { bar_->setValue(position); }

void TProgressDlg::StepIt() {
  bar_->setValue(qMin(bar_->value() + 1, bar_->maximum()));
  // The work runs in the GUI thread: paint; input that came meanwhile is
  // dropped by the discarder rather than held back for later.
  QCoreApplication::processEvents();
}

int TProgressDlg::Position() const { return bar_->value(); }

int TProgressDlg::Max() const { return bar_->maximum(); }

void TProgressDlg::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  CenterOnScreen(this);
  if (!discarder_) discarder_ = std::make_unique<InputDiscarder>();
}

void TProgressDlg::hideEvent(QHideEvent* event) {
  // Input held back by a wait of the caller's is drained while it is still
  // thrown away.
  if (discarder_) QCoreApplication::processEvents();
  discarder_.reset();
  QDialog::hideEvent(event);
}

void TProgressDlg::closeEvent(QCloseEvent* event) {
  // Only the command that shows it closes it, by releasing it.
  event->ignore();
}
