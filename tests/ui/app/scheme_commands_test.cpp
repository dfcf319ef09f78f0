#include <QAction>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMessageBox>
#include <QTest>
#include <QUndoStack>

#include "core/scheme/line_edit.h"
#include "core/scheme/place_block_edit.h"
#include "core/scheme/scheme_file.h"
#include "main_form_fixture.h"
#include "tests/support/temp_dir.h"
#include "tests/ui/graph/graph_test_support.h"
#include "ui/scheme/scheme_actions.h"
#include "ui/scheme/scheme_paint_box.h"
#include "ui/scheme/struct_frm.h"

namespace {

TStructFrm* ActiveScheme(TMainForm& f) {
  QMdiSubWindow* window = f.MdiArea()->currentSubWindow();
  return window ? qobject_cast<TStructFrm*>(window->widget()) : nullptr;
}

QStringList Titles(const QList<QMenu*>& menus) {
  QStringList titles;
  for (QMenu* menu : menus) titles << menu->title();
  return titles;
}

TEST_F(MainFormTest, NewSchemeOpensAnEmptySchemeWindowWithItsMenus) {
  TMainForm& f = Form();
  f.show();
  f.Action("AStructFrm")->trigger();
  TStructFrm* scheme = ActiveScheme(f);
  ASSERT_NE(scheme, nullptr);
  EXPECT_EQ(scheme->windowTitle(), "StructFrm");
  EXPECT_TRUE(scheme->Scheme().Blocks().empty());
  const QStringList shown = Titles(f.ShownMenus());
  for (const char* title : {"&Файл", "Расчет", "&Блоки", "&Редактор", "&Окно"}) {
    EXPECT_TRUE(shown.contains(QString::fromUtf8(title))) << title;
  }
  // The scheme's file menu still opens and closes through the main window.
  EXPECT_TRUE(scheme->ChildMenus()[0]->actions().contains(f.Action("FileOpen")));
  EXPECT_TRUE(scheme->ChildMenus()[0]->actions().contains(f.Action("FileClose")));
}

TEST_F(MainFormTest, SavedSchemeReopensThroughOpenWithTheSameBytes) {
  TMainForm& f = Form();
  f.show();
  f.Action("AStructFrm")->trigger();
  TStructFrm* first = ActiveScheme(f);
  ASSERT_NE(first, nullptr);
  tornel::Scheme& scheme = first->Scheme();
  tornel::PlaceBlockEdit step(scheme, tornel::kKindStep, {20, 20});
  step.Apply(scheme);
  tornel::PlaceBlockEdit lag(scheme, tornel::kKindAperiod, {200, 60});
  lag.Apply(scheme);
  tornel::LineEdit::Start(scheme, step.Block(), 0)->Apply(scheme);
  tornel::LineEdit::Complete(scheme, lag.Block(), 0)->Apply(scheme);
  const QString path = QString::fromStdString(dir.File("drive.str"));
  ASSERT_TRUE(first->SaveAs(path));

  f.OpenFile(path);
  TStructFrm* second = ActiveScheme(f);
  ASSERT_NE(second, nullptr);
  ASSERT_NE(second, first);
  EXPECT_EQ(second->windowTitle(), "Схема [" + path + "]");
  EXPECT_EQ(tornel::SchemeBytes(second->Scheme()), tornel::testing::ReadBytes(path.toStdString()));
  EXPECT_EQ(second->Scheme().Lines().size(), 1u);
  EXPECT_TRUE(second->UndoStack()->isClean());
}

TEST_F(MainFormTest, RefusedSchemeFileClosesItsWindowAndShowsTheMessage) {
  TMainForm& f = Form();
  f.show();
  const std::string path = dir.File("broken.str");
  tornel::testing::WriteBytes(path, std::string("\x05\x00\x00\x00\x01", 5));
  graphtest::ModalAnswers answers;
  QString message;
  answers.Then(graphtest::Press(QMessageBox::Ok, &message));
  f.OpenFile(QString::fromStdString(path));
  graphtest::Settle();
  EXPECT_EQ(answers.Unexpected(), 0);
  EXPECT_TRUE(message.startsWith("Файл схемы повреждён")) << message.toStdString();
  EXPECT_TRUE(f.MdiArea()->subWindowList().isEmpty());
}

TEST_F(MainFormTest, ExitAsksEverySchemeFirstAndCancelClosesNone) {
  TMainForm& f = Form();
  f.show();
  for (int i = 0; i < 2; ++i) {
    f.Action("AStructFrm")->trigger();
    TStructFrm* scheme = ActiveScheme(f);
    ASSERT_NE(scheme, nullptr);
    scheme->Actions().AIntegr->trigger();
    QTest::mouseClick(scheme->PB(), Qt::LeftButton, {}, QPoint(30, 30));
    ASSERT_EQ(scheme->Scheme().Blocks().size(), 1u);
  }
  graphtest::ModalAnswers answers;
  QStringList questions;
  answers.Then([&](QWidget* w) {
    questions << tornel::testing::MessageText(w);
    graphtest::Press(QMessageBox::No)(w);
  });
  answers.Then([&](QWidget* w) {
    questions << tornel::testing::MessageText(w);
    graphtest::Press(QMessageBox::Cancel)(w);
  });
  EXPECT_FALSE(f.close());
  Settle();
  EXPECT_EQ(answers.Unexpected(), 0);
  EXPECT_EQ(questions, QStringList(2, "Сохранить схему в файл?"));
  EXPECT_EQ(f.MdiArea()->subWindowList().size(), 2) << "Cancel closes neither scheme";
  EXPECT_TRUE(f.isVisible());
  for (QMdiSubWindow* window : f.MdiArea()->subWindowList()) {
    qobject_cast<TStructFrm*>(window->widget())->UndoStack()->setClean();
  }
}

}  // namespace
