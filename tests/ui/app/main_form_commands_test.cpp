#include <QAction>
#include <QApplication>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPrintDialog>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTextEdit>
#include <filesystem>
#include <functional>
#include <thread>

#include "core/text/user_error.h"
#include "main_form_fixture.h"
#include "tests/ui/support/modal_driver.h"
#include "ui/app/page_setup_dialog.h"
#include "ui/app/text_form.h"
#include "ui/widgets/child_menu_provider.h"
#include "ui/widgets/progress_dlg.h"
#include "ui/widgets/qt_busy_cursor.h"

namespace {

using tornel::testing::Dismiss;
using tornel::testing::FakeDevice;
using tornel::testing::MessageText;
using tornel::testing::ModalAnswers;

const char* kDescription = "{\\rtf1\\ansi\\ansicpg1251 {\\b \\'ce\\'ef\\'fb\\'f2}\\par}";  // "Опыт"

TEST_F(MainFormTest, DescriptionWindowZeroesTheDacsAndContinuesOnOk) {
  WriteConfig("[Offset]\r\nCAP_Offset1=480\r\n");
  WriteDescription("PerehDoc.rtf", kDescription);
  TMainForm& f = Form();
  f.show();
  device.ClearWrites();
  std::vector<FakeDevice::WriteEntry> writesWhenShown;
  QString shownText;
  ModalAnswers watcher([&](QWidget* w) {
    auto* text = qobject_cast<TTextForm*>(w);
    ASSERT_NE(text, nullptr);
    writesWhenShown = device.Writes();
    shownText = text->RichEdit()->toPlainText();
    EXPECT_EQ(text->windowTitle(), "TornelAD");
    EXPECT_TRUE(text->RichEdit()->isReadOnly());
    EXPECT_EQ(text->focusWidget(), text->OkButton());
    QTest::keyClick(text->OkButton(), Qt::Key_Return);  // the default button
  });
  EXPECT_TRUE(f.ShowDescription("PerehDoc.rtf"));
  EXPECT_EQ(watcher.Seen(), 1);
  EXPECT_EQ(writesWhenShown, (std::vector<FakeDevice::WriteEntry>{{0, 480, 0}, {1, 511, 0}}));
  EXPECT_EQ(shownText, "Опыт");
}

TEST_F(MainFormTest, DescriptionWindowCancelStopsTheFlow) {
  WriteDescription("StatDoc.rtf", kDescription);
  TMainForm& f = Form();
  ModalAnswers watcher([](QWidget* w) {
    auto* text = qobject_cast<TTextForm*>(w);
    ASSERT_NE(text, nullptr);
    QTest::mouseClick(text->CancelButton(), Qt::LeftButton);
  });
  EXPECT_FALSE(f.ShowDescription("StatDoc.rtf"));
}

TEST_F(MainFormTest, MissingDescriptionShowsThePathAndStops) {
  TMainForm& f = Form();
  QStringList messages;
  ModalAnswers watcher([&](QWidget* w) {
    messages.append(MessageText(w));
    Dismiss(w);
  });
  device.ClearWrites();
  EXPECT_FALSE(f.ShowDescription("PerehDoc.rtf"));
  EXPECT_EQ(messages, QStringList({QString::fromStdString("Не удалось открыть файл " +
                                                          TextFolder() + "/PerehDoc.rtf")}));
  EXPECT_TRUE(device.Writes().empty());  // no description window was shown
}

TEST_F(MainFormTest, DescriptionIsLookedUpInTheFoldersInOrder) {
  AppEnvironment env = Environment();
  std::filesystem::create_directories(dir.File("second"));
  env.textFolders = {QString::fromStdString(dir.File("first")),
                     QString::fromStdString(dir.File("second"))};
  tornel::testing::WriteBytes(dir.File("second/PerehDoc.rtf"), kDescription);
  TMainForm f(env);
  EXPECT_EQ(f.DescriptionPath("PerehDoc.rtf"),
            QString::fromStdString(dir.File("second/PerehDoc.rtf")));
  EXPECT_EQ(f.DescriptionPath("StatDoc.rtf"),
            QString::fromStdString(dir.File("first/StatDoc.rtf")));
}

TEST_F(MainFormTest, CalibrationWritesOffsetsAndShowsItsProgress) {
  WriteConfig(
      "[Приоритеты процессов]\r\nScanPriorityClass=128\r\nScanThreadPriority=2\r\n"
      "AppPriorityClass=32\r\nAppThreadPriority=0\r\n");
  TMainForm& f = Form();
  f.show();
  device.SetConstantAll(12);
  clock.SetAutoAdvance(1);
  // What the user sees while the channels are read.
  QList<int> positionsSeen;
  bool progressLooksRight = false;
  device.SetReadHook([&](int16_t) {
    TProgressDlg* shown = nullptr;
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (auto* p = qobject_cast<TProgressDlg*>(w); p && p->isVisible()) shown = p;
    }
    if (shown == nullptr) return;
    progressLooksRight = shown->windowTitle() == "Калибровка уровня нуля АЦП" &&
                         shown->Bar()->minimum() == 0 && shown->Bar()->maximum() == 16;
    if (positionsSeen.isEmpty() || positionsSeen.last() != shown->Position()) {
      positionsSeen.append(shown->Position());
    }
  });

  QStringList messages;
  auto answerWith = [&](QMessageBox::StandardButton button) {
    return [&messages, button](QWidget* w) {
      messages.append(MessageText(w));
      auto* box = qobject_cast<QMessageBox*>(w);
      ASSERT_NE(box, nullptr);
      box->button(button)->click();
    };
  };
  ModalAnswers answers;
  answers.Then(answerWith(QMessageBox::Ok));
  f.Action("ACalibrZero")->trigger();

  EXPECT_EQ(messages, QStringList({"Смещения нуля каналов АЦП найдены и записаны"}));
  EXPECT_TRUE(progressLooksRight);
  EXPECT_EQ(positionsSeen, QList<int>({0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}));
  for (int ch = 0; ch < 16; ++ch) EXPECT_EQ(f.Channels().Offset[ch], -12) << ch;
  std::string saved = ReadConfig();
  for (int n = 1; n <= 16; ++n) {
    EXPECT_NE(saved.find("ACP_Offset" + std::to_string(n) + "=-12"), std::string::npos) << n;
  }
  EXPECT_EQ(priority.calls,
            (std::vector<std::string>{"class 128", "thread 2", "class 32", "thread 0"}));
  for (QWidget* w : QApplication::topLevelWidgets()) {
    EXPECT_FALSE(qobject_cast<TProgressDlg*>(w) && w->isVisible()) << "progress left open";
  }

  // "Нет" keeps the calibration, in memory and in the file.
  answers.Then(answerWith(QMessageBox::No));
  f.Action("AResetZero")->trigger();
  EXPECT_EQ(messages.last(), "Сбросить смещения нуля всех каналов АЦП?");
  EXPECT_EQ(f.Channels().Offset[0], -12);
  EXPECT_EQ(ReadConfig(), saved);

  answers.Then(answerWith(QMessageBox::Yes));
  f.Action("AResetZero")->trigger();
  EXPECT_EQ(answers.Unexpected(), 0);
  for (int ch = 0; ch < 16; ++ch) EXPECT_EQ(f.Channels().Offset[ch], 0) << ch;
  saved = ReadConfig();
  for (int n = 1; n <= 16; ++n) {
    EXPECT_NE(saved.find("ACP_Offset" + std::to_string(n) + "=0\r\n"), std::string::npos) << n;
  }
}

TEST_F(MainFormTest, CalibrationThatCannotSaveSaysSoAndKeepsTheOffsets) {
  WriteConfig("[Offset]\r\n");
  std::filesystem::permissions(dir.File("Tornel.ini"), std::filesystem::perms::owner_read);
  TMainForm& f = Form();
  device.SetConstantAll(-7);
  clock.SetAutoAdvance(1);
  QStringList messages;
  ModalAnswers watcher([&](QWidget* w) {
    messages.append(MessageText(w));
    Dismiss(w);
  });
  f.ACalibrZeroExecute();
  EXPECT_EQ(
      messages,
      QStringList({QString::fromStdString("Не удалось записать файл " + dir.File("Tornel.ini"))}));
  EXPECT_EQ(f.Channels().Offset[0], 7);
  EXPECT_EQ(f.Channels().Offset[15], 7);
}

TEST_F(MainFormTest, OpenDialogOffersTheFileTypesAndOpensTheChoice) {
  tornel::testing::WriteBytes(dir.File("run.dta"), "");
  tornel::testing::WriteBytes(dir.File("RUN2.DTA"), "");
  DispatchingForm f(Environment());
  QStringList filters;
  QString choose = QString::fromStdString(dir.File("run.dta"));
  ModalAnswers watcher([&](QWidget* w) {
    auto* dialog = qobject_cast<QFileDialog*>(w);
    ASSERT_NE(dialog, nullptr);
    filters = dialog->nameFilters();
    tornel::testing::SelectFileName(dialog, choose);
    QMetaObject::invokeMethod(dialog, "accept");
  });
  f.Action("FileOpen")->trigger();
  EXPECT_EQ(filters, QStringList({"Файл данных (*.dta)", "Схема (*.str)", "Все файлы (*)"}));
  EXPECT_EQ(f.opened, QStringList({"data " + choose}));

  f.opened.clear();
  choose = QString::fromStdString(dir.File("RUN2.DTA"));
  f.FileOpenExecute();
  EXPECT_TRUE(f.opened.isEmpty());
}

TEST_F(MainFormTest, OpenDialogKeepsTheFileTypeLastChosenInTheRun) {
  DispatchingForm f(Environment());
  const QString scheme = QStringLiteral("Схема (*.str)");
  QStringList shown;
  // Cancelled after switching to schemes, then accepted, then looked at.
  const std::function<void(QFileDialog*)> steps[] = {
      [&](QFileDialog* d) {
        d->selectNameFilter(scheme);
        d->reject();
      },
      [&](QFileDialog* d) { d->reject(); },
      [&](QFileDialog* d) {
        d->selectNameFilter(QStringLiteral("Все файлы (*)"));
        d->reject();
      },
      [&](QFileDialog* d) { d->reject(); }};
  for (const auto& step : steps) {
    ModalAnswers watcher([&](QWidget* w) {
      auto* dialog = qobject_cast<QFileDialog*>(w);
      ASSERT_NE(dialog, nullptr);
      shown << dialog->selectedNameFilter();
      step(dialog);
    });
    f.FileOpenExecute();
  }
  EXPECT_EQ(shown, QStringList({"Файл данных (*.dta)", scheme, scheme, "Все файлы (*)"}));
}

TEST_F(MainFormTest, PageSetupStartsFromTheDefaultsAndKeepsWhatOkLeaves) {
  TMainForm& f = Form();
  PageSetupValues initial;
  bool okAllowedWithHugeMargins = true;
  ModalAnswers watcher([&](QWidget* w) {
    auto* dialog = qobject_cast<PageSetupDialog*>(w);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->windowTitle(), "Параметры страницы");
    initial = dialog->Values();
    auto* left = dialog->findChild<QDoubleSpinBox*>("MarginLeft");
    auto* right = dialog->findChild<QDoubleSpinBox*>("MarginRight");
    auto* width = dialog->findChild<QDoubleSpinBox*>("PaperWidth");
    auto* ok = dialog->findChild<QPushButton*>("OkButton");
    EXPECT_DOUBLE_EQ(right->minimum(), 0.01);
    left->setValue(290);
    okAllowedWithHugeMargins = ok->isEnabled();
    left->setValue(20);
    width->setValue(300);
    QTest::mouseClick(ok, Qt::LeftButton);
  });
  f.APageSetupExecute();
  EXPECT_DOUBLE_EQ(initial.PaperWidth, 296.90);
  EXPECT_DOUBLE_EQ(initial.PaperHeight, 210.00);
  EXPECT_DOUBLE_EQ(initial.MarginLeft, 45.00);
  EXPECT_DOUBLE_EQ(initial.MarginRight, 10.00);
  EXPECT_DOUBLE_EQ(initial.MarginTop, 30.00);
  EXPECT_DOUBLE_EQ(initial.MarginBottom, 10.00);
  EXPECT_FALSE(okAllowedWithHugeMargins);
  EXPECT_DOUBLE_EQ(f.PageSetup().PaperWidth, 300.0);
  EXPECT_DOUBLE_EQ(f.PageSetup().MarginLeft, 20.0);
  EXPECT_DOUBLE_EQ(f.PageSetup().MarginTop, 30.0);
}

TEST_F(MainFormTest, PageSetupCancelKeepsTheValues) {
  TMainForm& f = Form();
  ModalAnswers watcher([](QWidget* w) {
    w->findChild<QDoubleSpinBox*>("PaperHeight")->setValue(100);
    QTest::mouseClick(w->findChild<QPushButton*>("CancelButton"), Qt::LeftButton);
  });
  f.APageSetupExecute();
  EXPECT_EQ(f.PageSetup(), PageSetupValues{});
}

TEST_F(MainFormTest, PrinterSetupIsTheSystemDialogOnTheSharedPrinter) {
  TMainForm& f = Form();
  QPrinter* shown = nullptr;
  ModalAnswers watcher([&](QWidget* w) {
    auto* dialog = qobject_cast<QPrintDialog*>(w);
    ASSERT_NE(dialog, nullptr);
    shown = dialog->printer();
    dialog->reject();
  });
  f.Action("APrintSetup")->trigger();
  EXPECT_EQ(shown, &f.Printer());
}

TEST_F(MainFormTest, RampBringsTheDacsToZeroUnderTheHourglass) {
  WriteConfig("[defaults]\r\nТзи=0.1\r\n[Offset]\r\nCAP_Offset2=500\r\n");
  TMainForm& f = Form();
  clock.SetAutoAdvance(1);
  const int16_t levels[] = {100, -50};
  f.RampCapToZero(levels);
  EXPECT_EQ(device.LastCode(0), std::optional<int16_t>(511));
  EXPECT_EQ(device.LastCode(1), std::optional<int16_t>(500));
  // On the way down the outputs passed between the start and zero.
  EXPECT_GT(device.WritesTo(0).size(), 2u);
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
}

TEST(QtBusyCursor, ShowsTheHourglassAndRestoresOnlyItsOwn) {
  QtBusyCursor cursor;
  cursor.Restore();  // nothing shown: nothing to take away
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
  QGuiApplication::setOverrideCursor(QCursor(Qt::CrossCursor));
  cursor.Show();
  ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::WaitCursor);
  cursor.Restore();
  cursor.Restore();
  ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
  EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::CrossCursor);
  std::thread([&] { cursor.Show(); }).join();  // cursors belong to the GUI thread
  EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::CrossCursor);
  QGuiApplication::restoreOverrideCursor();
}

TEST_F(MainFormTest, AboutBoxShowsTheProgram) {
  TMainForm& f = Form();
  QStringList texts;
  QString title, button;
  ModalAnswers watcher([&](QWidget* w) {
    title = w->windowTitle();
    for (auto* label : w->findChildren<QLabel*>()) {
      if (!label->text().isEmpty()) texts.append(label->text());
    }
    auto* ok = w->findChild<QPushButton*>();
    button = ok->text();
    QTest::mouseClick(ok, Qt::LeftButton);
  });
  f.Action("HelpAbout")->trigger();
  EXPECT_EQ(title, "О программе");
  EXPECT_TRUE(
      texts.contains("Программа ввода и обработки\nданных с универсального\n"
                     "лабораторного стенда"));
  EXPECT_TRUE(texts.contains("TornelAD"));
  EXPECT_TRUE(texts.contains("Версия 3.0"));
  EXPECT_EQ(button, "ОК");
}

TEST_F(MainFormTest, LoadErrorClosesTheNewChildAndShowsTheText) {
  TMainForm& f = Form();
  f.show();
  f.AddChild(new QWidget);
  QStringList messages;
  ModalAnswers watcher([&](QWidget* w) {
    messages.append(MessageText(w));
    Dismiss(w);
  });
  QPointer<QWidget> child = new QWidget;
  QMdiSubWindow* result =
      f.AddChildAndLoad(child, [] { throw tornel::UserError("Файл создан другой программой"); });
  Settle();
  EXPECT_EQ(result, nullptr);
  EXPECT_TRUE(child.isNull());
  EXPECT_EQ(f.MdiArea()->subWindowList().size(), 1);
  EXPECT_EQ(messages, QStringList({"Файл создан другой программой"}));

  auto* good = new QWidget;
  EXPECT_NE(f.AddChildAndLoad(good, [] {}), nullptr);
  EXPECT_EQ(f.MdiArea()->subWindowList().size(), 2);
}

TEST_F(MainFormTest, WindowCommandsArrangeTheChildren) {
  TMainForm& f = Form();
  f.resize(900, 700);
  f.setWindowState(Qt::WindowNoState);
  f.show();
  QList<QMdiSubWindow*> windows;
  for (int i = 0; i < 3; ++i) windows.append(f.AddChild(new QWidget));
  QRect area = f.MdiArea()->viewport()->rect();

  f.Action("WindowTileVertical")->trigger();
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(windows[i]->geometry().top(), 0) << i;
    EXPECT_EQ(windows[i]->geometry().height(), area.height()) << i;
    EXPECT_NEAR(windows[i]->geometry().left(), area.width() * i / 3, 1) << i;
  }
  f.Action("WindowTileHorizontal")->trigger();
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(windows[i]->geometry().left(), 0) << i;
    EXPECT_EQ(windows[i]->geometry().width(), area.width()) << i;
    EXPECT_NEAR(windows[i]->geometry().top(), area.height() * i / 3, 1) << i;
  }
  f.Action("WindowMinimizeAll")->trigger();
  for (QMdiSubWindow* w : windows) EXPECT_TRUE(w->isMinimized());
  f.Action("WindowArrangeAll")->trigger();
  for (QMdiSubWindow* w : windows) {
    EXPECT_EQ(w->geometry().bottom(), area.bottom()) << "icons sit on the bottom edge";
  }
  EXPECT_LT(windows[0]->x(), windows[1]->x());
  EXPECT_LT(windows[1]->x(), windows[2]->x());
}

TEST_F(MainFormTest, WindowMenuListsTheChildren) {
  TMainForm& f = Form();
  f.show();
  auto* a = new QWidget;
  a->setWindowTitle("Схема 1");
  auto* b = new QWidget;
  b->setWindowTitle("Переходная характеристика 2");
  f.AddChild(a);
  QMdiSubWindow* second = f.AddChild(b);
  QMenu* windowMenu = f.ShownMenus()[2];
  emit windowMenu->aboutToShow();
  QStringList items;
  for (QAction* action : windowMenu->actions()) {
    if (!action->isSeparator()) items.append(action->text() + (action->isChecked() ? " *" : ""));
  }
  EXPECT_EQ(items.mid(5), QStringList({"&1 Схема 1", "&2 Переходная характеристика 2 *"}));
  windowMenu->actions()[6]->trigger();  // the first child
  EXPECT_NE(f.MdiArea()->activeSubWindow(), second);
  EXPECT_EQ(f.MdiArea()->activeSubWindow()->widget(), a);
}

// A child window with menus of its own, as the graph window has.
class MenuChild : public QWidget, public ChildMenuProvider {
public:
  MenuChild()
      : file(new QMenu("&Файл", this)),
        filters(new QMenu("Фильтры", this)),
        graph(new QMenu("График", this)) {
    file->addAction("Сохранить");
  }
  QList<QMenu*> ChildMenus() const override { return {file, filters, graph}; }
  QMenu* file;
  QMenu* filters;
  QMenu* graph;
};

QStringList Titles(const QList<QMenu*>& menus) {
  QStringList titles;
  for (QMenu* m : menus) titles.append(m->title());
  return titles;
}

TEST_F(MainFormTest, ActiveChildBringsItsMenus) {
  TMainForm& f = Form();
  f.show();
  QList<QMenu*> mainMenus = f.ShownMenus();
  auto* child = new MenuChild;
  QMdiSubWindow* childWindow = f.AddChild(child);
  f.MdiArea()->setActiveSubWindow(childWindow);
  QList<QMenu*> merged = f.ShownMenus();
  EXPECT_EQ(Titles(merged),
            QStringList({"&Файл", "&Настройка", "Фильтры", "График", "&Окно", "&?"}));
  EXPECT_EQ(merged[0], child->file);  // the child's own "&Файл"
  EXPECT_EQ(merged[1], mainMenus[1]);

  // A plain child brings nothing: the main menus come back.
  QMdiSubWindow* plain = f.AddChild(new QWidget);
  f.MdiArea()->setActiveSubWindow(plain);
  EXPECT_EQ(f.ShownMenus(), mainMenus);

  f.MdiArea()->setActiveSubWindow(childWindow);
  EXPECT_EQ(f.ShownMenus()[0], child->file);
  childWindow->close();
  Settle();
  EXPECT_EQ(f.ShownMenus(), mainMenus);
}

TEST_F(MainFormTest, ClosingTheLastMenuChildRestoresTheMainMenus) {
  TMainForm& f = Form();
  f.show();
  QList<QMenu*> mainMenus = f.ShownMenus();
  QMdiSubWindow* window = f.AddChild(new MenuChild);
  f.MdiArea()->setActiveSubWindow(window);
  ASSERT_NE(f.ShownMenus(), mainMenus);
  f.Action("FileClose")->trigger();
  Settle();
  EXPECT_EQ(f.ShownMenus(), mainMenus);
  QStringList barTitles;
  for (QAction* a : f.menuBar()->actions()) barTitles.append(a->text());
  EXPECT_EQ(barTitles, QStringList({"&Файл", "&Настройка", "&Окно", "&?"}));
}

}  // namespace
