#include "ui/graph/filter_progress_window.h"

#include <QCoreApplication>

#include "ui/widgets/progress_dlg.h"

FilterProgressWindow::FilterProgressWindow() : dialog_(std::make_unique<TProgressDlg>()) {}

FilterProgressWindow::~FilterProgressWindow() = default;

void FilterProgressWindow::Begin(const std::string& caption, int maximum) {
  dialog_->setWindowTitle(QString::fromStdString(caption));
  dialog_->SetMax(maximum);
  dialog_->SetPosition(0);
  dialog_->show();
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

bool FilterProgressWindow::Step() {
  dialog_->StepIt();
  return true;
}
