#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QMouseEvent>
#include <QUndoStack>
#include <memory>

#include "tests/core/records/scoped_tmpdir.h"
#include "tests/support/temp_dir.h"
#include "tests/ui/graph/graph_test_support.h"
#include "tests/ui/support/fake_window_host.h"
#include "ui/scheme/scheme_paint_box.h"
#include "ui/scheme/struct_frm.h"

namespace schemetest {

// A scheme window on a fake host, its temporary files in a folder of the
// test, and the mouse as the user works it on the drawing area.
class SchemeWindowTest : public ::testing::Test {
protected:
  SchemeWindowTest() {
    window = new TStructFrm(host);
    host.AddChild(window);
    window->resize(800, 600);
    graphtest::Settle();
  }
  ~SchemeWindowTest() override {
    // Whatever windows a test left open close without a question.
    for (QMdiSubWindow* sub : host.Area().subWindowList()) {
      if (auto* scheme = qobject_cast<TStructFrm*>(sub->widget())) scheme->UndoStack()->setClean();
    }
    host.Area().closeAllSubWindows();
    graphtest::Settle();
  }

  void Send(QEvent::Type type, QPoint at, Qt::MouseButton button,
            Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* pb = window->PB();
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : button;
    QMouseEvent event(type, QPointF(at), pb->mapToGlobal(QPointF(at)),
                      type == QEvent::MouseMove ? Qt::NoButton : button, held, modifiers);
    QApplication::sendEvent(pb, &event);
  }
  void Click(QPoint at, Qt::MouseButton button = Qt::LeftButton,
             Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    Send(QEvent::MouseButtonPress, at, button, modifiers);
    Send(QEvent::MouseButtonRelease, at, button, modifiers);
  }
  void Drag(QPoint from, QPoint to) {
    Send(QEvent::MouseButtonPress, from, Qt::LeftButton);
    Send(QEvent::MouseMove, (from + to) / 2, Qt::LeftButton);
    Send(QEvent::MouseMove, to, Qt::LeftButton);
    Send(QEvent::MouseButtonRelease, to, Qt::LeftButton);
  }
  // The palette's kind, then a click at the block's corner.
  tornel::TBlock* Place(QAction* kind, QPoint at) {
    kind->trigger();
    Click(at);
    return window->Scheme().Blocks().back().get();
  }
  static QPoint Out(const tornel::TBlock* b) {
    const tornel::Point p = b->OutputPoint(0);
    return {p.x - 2, p.y};
  }
  static QPoint In(const tornel::TBlock* b, int input = 0) {
    const tornel::Point p = b->InputPoint(input);
    return {p.x - 2, p.y};
  }
  const SchemeActions& Actions() const { return window->Actions(); }
  std::size_t BlockCount() const { return window->Scheme().Blocks().size(); }
  std::size_t LineCount() const { return window->Scheme().Lines().size(); }

  tornel::testing::TempDir dir;
  tornel::testing::ScopedTmpDir tmp{dir.Path().string()};
  tornel::testing::FakeWindowHost host;
  TStructFrm* window;
};

}  // namespace schemetest
