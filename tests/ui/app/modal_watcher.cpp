#include "modal_watcher.h"

#include <QApplication>
#include <QDialog>
#include <QMessageBox>

ModalWatcher::ModalWatcher(std::function<void(QWidget*)> handler) : handler_(std::move(handler)) {
  timer_.setInterval(5);
  connect(&timer_, &QTimer::timeout, this, &ModalWatcher::Poll);
  timer_.start();
}

void ModalWatcher::Poll() {
  QWidget* modal = QApplication::activeModalWidget();
  if (modal == nullptr) return;
  if (!seen_.contains(modal)) {
    seen_.append(modal);
    last_ = modal;
    lastTicks_ = 0;
    handler_(modal);
    return;
  }
  if (modal == last_ && ++lastTicks_ > 200) {
    if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->reject();
  }
}

QString MessageText(QWidget* window) {
  auto* box = qobject_cast<QMessageBox*>(window);
  return box ? box->text() : QString();
}

void Dismiss(QWidget* window) {
  if (auto* box = qobject_cast<QMessageBox*>(window)) {
    box->accept();
  } else if (auto* dialog = qobject_cast<QDialog*>(window)) {
    dialog->reject();
  }
}
