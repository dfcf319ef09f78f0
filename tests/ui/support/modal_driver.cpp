#include "tests/ui/support/modal_driver.h"

namespace tornel::testing {

ModalAnswers::ModalAnswers() : ModalAnswers(nullptr) {}

ModalAnswers::ModalAnswers(std::function<void(QWidget*)> every) : every_(std::move(every)) {
  timer_.setInterval(5);
  QObject::connect(&timer_, &QTimer::timeout, [this] { Poll(); });
  timer_.start();
}

void ModalAnswers::Poll() {
  QWidget* modal = QApplication::activeModalWidget();
  if (modal == nullptr || !modal->isVisible()) return;
  if (seen_.contains(modal)) {
    if (modal == last_ && ++lastTicks_ > 200) {
      if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->reject();
    }
    return;
  }
  seen_.append(modal);
  last_ = modal;
  lastTicks_ = 0;
  if (!answers_.empty()) {
    auto answer = std::move(answers_.front());
    answers_.pop_front();
    ++answered_;
    answer(modal);
  } else if (every_) {
    ++answered_;
    every_(modal);
  } else {
    ++unexpected_;
    if (auto* dialog = qobject_cast<QDialog*>(modal)) {
      dialog->reject();
    } else {
      modal->close();
    }
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

}  // namespace tornel::testing
