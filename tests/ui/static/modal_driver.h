#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>
#include <ostream>

// Readable Qt strings in failure messages.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace tornel::testing {

// Answers the next modal window that opens (one that is not the active modal
// window now) from the event loop, the way a user meets it: `answer` gets it
// once, and must close it. Nested dialogs are answered by calling this again
// inside `answer` before the click that opens them. A window that never opens
// fails the test after about five seconds instead of hanging it.
inline void OnNextModal(std::function<void(QWidget*)> answer) {
  QPointer<QWidget> before = QApplication::activeModalWidget();
  auto* timer = new QTimer;
  auto ticks = std::make_shared<int>(0);
  timer->setInterval(5);
  QObject::connect(timer, &QTimer::timeout, [timer, before, ticks, answer] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal != nullptr && modal != before.data() && modal->isVisible()) {
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

// A child of `window` by object name; fails the test when it is missing.
template <typename T>
T* Child(QWidget* window, const char* name) {
  T* child = window->findChild<T*>(QLatin1String(name));
  EXPECT_NE(child, nullptr) << "no " << name;
  return child;
}

// A left click in the middle of the widget, as the mouse gives it.
inline void Click(QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton); }

// A click on a check box's indicator, where a user ticks it.
inline void ClickBox(QCheckBox* box) {
  QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(box->height() / 2, box->height() / 2));
}

inline void Press(QWidget* window, const char* button) {
  Click(Child<QPushButton>(window, button));
}

}  // namespace tornel::testing
