#pragma once

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QLineEdit>
#include <QList>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <deque>
#include <functional>
#include <memory>
#include <ostream>

#include "tests/ui/support/qt_printers.h"

namespace tornel::testing {

// Answers the next modal window that opens (one that is not the active modal
// window now) from the event loop, the way a user meets it: `answer` gets it
// once, and must close it. Nested dialogs are answered by calling this again
// inside `answer` before the click that opens them. A window that never opens
// fails the test after about five seconds instead of hanging it. With a
// `className`, only a window of that class counts.
inline void OnNextModal(std::function<void(QWidget*)> answer, const char* className = nullptr) {
  QPointer<QWidget> before = QApplication::activeModalWidget();
  auto* timer = new QTimer;
  auto ticks = std::make_shared<int>(0);
  timer->setInterval(5);
  QObject::connect(timer, &QTimer::timeout, [timer, before, ticks, answer, className] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal != nullptr && modal != before.data() && modal->isVisible() &&
        (className == nullptr || modal->inherits(className))) {
      timer->stop();
      timer->deleteLater();
      answer(modal);
      return;
    }
    if (++*ticks > 1000) {
      timer->stop();
      timer->deleteLater();
      ADD_FAILURE() << "no modal window opened";
    }
  });
  timer->start();
}

// Answers the modal windows a command opens, in order, as the user would:
// each answer gets the next new modal window and must close it. A window that
// no answer expects goes to `every` when there is one (a handler for every
// window); otherwise it is rejected and counted, so a surprise question fails
// the test instead of hanging it. A window an answer left open for a second is
// rejected.
class ModalAnswers {
public:
  ModalAnswers();
  explicit ModalAnswers(std::function<void(QWidget*)> every);
  void Then(std::function<void(QWidget*)> answer) { answers_.push_back(std::move(answer)); }
  int Unexpected() const { return unexpected_; }
  // Windows met so far, answered or not.
  int Seen() const { return static_cast<int>(seen_.size()); }
  int Answered() const { return answered_; }
  bool AllAnswered() const { return answers_.empty(); }

private:
  void Poll();

  QTimer timer_;
  std::function<void(QWidget*)> every_;
  std::deque<std::function<void(QWidget*)>> answers_;
  QList<QPointer<QWidget>> seen_;
  QPointer<QWidget> last_;
  int lastTicks_ = 0;
  int unexpected_ = 0;
  int answered_ = 0;
};

// The text of a message box, or empty for any other window.
QString MessageText(QWidget* window);
// Presses the message box's default button, or rejects any other dialog.
void Dismiss(QWidget* window);

// While it lives, a modal window that opens fails the test and is rejected,
// so that a dialog nobody expected cannot hang it.
class NoModalExpected {
public:
  NoModalExpected() {
    timer_.setInterval(5);
    QObject::connect(&timer_, &QTimer::timeout, [] {
      QWidget* modal = QApplication::activeModalWidget();
      if (modal == nullptr) return;
      ADD_FAILURE() << "unexpected modal window " << modal->metaObject()->className();
      if (auto* dialog = qobject_cast<QDialog*>(modal)) dialog->reject();
    });
    timer_.start();
  }

private:
  QTimer timer_;
};

// A child of `window` by object name; fails the test when it is missing.
template <typename T>
T* Child(QWidget* window, const char* name) {
  T* child = window->findChild<T*>(QLatin1String(name));
  EXPECT_NE(child, nullptr) << "no " << name;
  return child;
}

// Picks `path` in a file dialog as a user typing it would. selectFile alone
// leaves the name field as it is once that has the focus, which it gets at
// some moment after the dialog opens.
inline void SelectFileName(QFileDialog* dialog, const QString& path) {
  dialog->selectFile(path);
  if (auto* name = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))) {
    name->setText(QFileInfo(path).fileName());
  }
}

// A left click in the middle of the widget, as the mouse gives it.
inline void Click(QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton); }

// A left click as the window system queues it: it acts only when the event
// loop next runs.
inline void PostClick(QWidget* widget) {
  const QPointF at(widget->width() / 2.0, widget->height() / 2.0);
  for (QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
    QCoreApplication::postEvent(
        widget, new QMouseEvent(type, at, widget->mapToGlobal(at), Qt::LeftButton,
                                type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton,
                                Qt::NoModifier));
  }
}

// A click on a check box's or radio item's indicator, where a user ticks it.
inline void ClickBox(QAbstractButton* box) {
  QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(box->height() / 2, box->height() / 2));
}

inline void Press(QWidget* window, const char* button) {
  Click(Child<QPushButton>(window, button));
}

// Types text as a keyboard would, Cyrillic included.
inline void TypeText(QWidget* widget, const QString& text) {
  for (QChar ch : text) {
    if (ch.unicode() < 128) {
      QTest::keyClick(widget, static_cast<char>(ch.unicode()));
    } else {
      QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(ch), Qt::NoModifier);
    }
  }
}

// Replaces an edit's text by typing, as a user who selected it all would.
template <typename Edit>
void Retype(Edit* edit, const QString& text) {
  edit->selectAll();
  if (text.isEmpty()) {
    QTest::keyClick(edit, Qt::Key_Backspace);
  } else {
    TypeText(edit, text);
  }
}

}  // namespace tornel::testing
