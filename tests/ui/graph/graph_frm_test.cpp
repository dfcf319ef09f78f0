#include "ui/graph/graph_frm.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QFrame>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPushButton>
#include <QSplitter>
#include <QTextEdit>
#include <filesystem>
#include <fstream>

#include "graph_test_support.h"
#include "ui/app/main_form.h"
#include "ui/graph/graph_actions.h"
#include "ui/graph/grid_frm.h"

namespace {

namespace fs = std::filesystem;
using graphtest::CancelDialog;
using graphtest::ChooseFile;
using graphtest::ModalAnswers;
using graphtest::Press;
using graphtest::Settle;

QStringList Captions(const QMenu* menu) {
  QStringList out;
  for (const QAction* a : menu->actions()) out << (a->isSeparator() ? "-" : a->text());
  return out;
}

class GraphFrmTest : public graphtest::GraphWindowTest {};

TEST_F(GraphFrmTest, ShowsItsPartsWithTheirNamesAndSizes) {
  auto window = NewWindow();
  EXPECT_EQ(window->windowTitle(), "График");
  EXPECT_EQ(window->size(), QSize(553, 345));
  for (const char* name : {"Panel1", "GraphPanel", "GraphPaintBox", "BasePanel", "MBase",
                           "LegendPanel", "LegendPaintBox", "CaptionPanel", "MCaption"}) {
    EXPECT_NE(window->findChild<QWidget*>(QLatin1String(name)), nullptr) << name;
  }
  EXPECT_EQ(window->findChild<QWidget*>("BasePanel")->height(), 54);
  EXPECT_EQ(window->findChild<QWidget*>("LegendPanel")->width(), 65);
  EXPECT_EQ(window->findChild<QWidget*>("CaptionPanel")->height(), 43);
  for (const char* name : {"Splitter_base", "Splitter_legend", "Splitter_caption"}) {
    auto* splitter = window->findChild<QSplitter*>(QLatin1String(name));
    ASSERT_NE(splitter, nullptr) << name;
    EXPECT_EQ(splitter->handleWidth(), 2) << name;
  }
  EXPECT_EQ(window->findChild<QTextEdit*>("MCaption")->toPlainText(), "Рисунок 1");

  // A bigger window gives the room to the plot; the other panels keep theirs.
  window->resize(900, 600);
  Settle();
  EXPECT_EQ(window->findChild<QWidget*>("BasePanel")->height(), 54);
  EXPECT_EQ(window->findChild<QWidget*>("LegendPanel")->width(), 65);
  EXPECT_EQ(window->findChild<QWidget*>("CaptionPanel")->height(), 43);
}

TEST_F(GraphFrmTest, PopupAndMenusOfferTheCommands) {
  auto window = NewWindow();
  EXPECT_EQ(Captions(window->PMGraph()),
            (QStringList{"Настройка", "Таблица", "Спектр...", "Фильтры", "-", "Автомасштаб",
                         "Весь график", "-", "Скопировать в буфер", "Экспорт изображения...", "-",
                         "Курсоры", "Скопировать значения", "-", "Анализ переходного процесса"}));
  const QStringList filters{"Фильтр Хеннинга",
                            "Экспон. сглаживание",
                            "Среднее квадратичное",
                            "Модуль сигнала",
                            "Сортировка",
                            "-",
                            "Отфильтрованные данные",
                            "Сохранить отфильтрованные данные"};
  const QList<QMenu*> menus = window->ChildMenus();
  ASSERT_EQ(menus.size(), 3);
  EXPECT_EQ(menus[0]->title(), "&Файл");
  EXPECT_EQ(menus[1]->title(), "Фильтры");
  EXPECT_EQ(menus[2]->title(), "График");
  EXPECT_EQ(Captions(menus[1]), filters);
  EXPECT_EQ(Captions(window->PMGraph()->actions()[3]->menu()), filters);
  EXPECT_EQ(Captions(menus[2]),
            (QStringList{"Настройка", "Таблица", "Спектр...", "-", "Автомасштаб", "Весь график",
                         "-", "Скопировать в буфер", "Экспорт изображения...", "-", "Курсоры",
                         "Скопировать значения", "-", "Анализ переходного процесса"}));
  EXPECT_EQ(window->Actions().ASaveAs->text(), "Сохранить  &как...");
  EXPECT_EQ(window->Actions().ASave->shortcut(), QKeySequence("Ctrl+S"));
  EXPECT_EQ(window->findChild<QMenu*>("PMBase")->actions()[0]->text(), "Шрифт");
  EXPECT_EQ(window->findChild<QMenu*>("PMCaption")->actions()[0]->text(), "Шрифт");
}

TEST_F(GraphFrmTest, BaseValuesComeBackOnTheNextPicture) {
  table.ChanName[0] = "Uя";
  table.ChanUnit[0] = "В";
  table.RealBase[0] = 220;
  auto window = NewWindow();
  FillAsExperiment(*window, {0, 100, 200});
  auto* base = window->findChild<QTextEdit*>("MBase");
  const QString expected =
      QString("Базовые величины\nUя = 220") + QChar(tornel::SystemDecimalSeparator()) + "00 В";
  EXPECT_EQ(base->toPlainText(), expected);
  base->setPlainText("правка");
  window->RefreshPicture();
  Settle();
  EXPECT_EQ(base->toPlainText(), expected);
}

TEST_F(GraphFrmTest, ANewRecordAsksBeforeClosingAndNoLeavesNoFileBehind) {
  auto window = NewWindow();
  const std::string raw = FillAsExperiment(*window, Sine(100));
  tornel::testing::WriteBytes(raw + "f", "filtered");
  QPointer<TGraphFrm> alive(window.get());

  ModalAnswers user;
  QString question;
  user.Then([&](QWidget* w) {
    EXPECT_EQ(w->windowTitle(), "TornelAD");
    auto* box = qobject_cast<QMessageBox*>(w);
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(box->standardButtons(), QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    Press(QMessageBox::No, &question)(w);
  });
  EXPECT_TRUE(window->close());
  EXPECT_EQ(question, "Сохранить данные в файл?");
  EXPECT_TRUE(fs::exists(raw)) << "the window is only closed, not yet destroyed";
  window.reset();
  EXPECT_FALSE(fs::exists(raw));
  EXPECT_FALSE(fs::exists(raw + "f"));
}

TEST_F(GraphFrmTest, CancelOrACancelledSaveDialogKeepsTheWindowOpen) {
  auto window = NewWindow();
  const std::string raw = FillAsExperiment(*window, Sine(100));
  ModalAnswers user;
  user.Then(Press(QMessageBox::Cancel));
  EXPECT_FALSE(window->close());
  user.Then(Press(QMessageBox::Yes));
  user.Then(CancelDialog());
  EXPECT_FALSE(window->close());
  EXPECT_TRUE(window->isVisible());
  EXPECT_TRUE(fs::exists(raw));
  EXPECT_TRUE(window->DataFileName.isEmpty());
  EXPECT_EQ(user.Unexpected(), 0);
}

TEST_F(GraphFrmTest, YesSavesUnderTheChosenNameAndCloses) {
  auto window = NewWindow();
  FillAsExperiment(*window, {1, 2, 3, 4});
  const QString path = QString::fromStdString(dir.File("опыт"));  // the dialog adds ".dta"
  ModalAnswers user;
  user.Then(Press(QMessageBox::Yes));
  user.Then(ChooseFile(path));
  EXPECT_TRUE(window->close());
  EXPECT_EQ(window->DataFileName, path + ".dta");
  EXPECT_EQ(window->windowTitle(), "Переходный процесс [" + path + ".dta]");
  const std::string bytes = tornel::testing::ReadBytes(dir.File("опыт.dta"));
  EXPECT_EQ(bytes.substr(0, 20), "Quendaris v1.3 file ");
  EXPECT_EQ(bytes.substr(bytes.size() - 8), tornel::testing::Int16Bytes({1, 2, 3, 4}));
}

TEST_F(GraphFrmTest, ALoadedRecordClosesWithoutAQuestionEvenAfterChanges) {
  const QString path = QString::fromStdString(dir.File("saved.dta"));
  {
    auto first = NewWindow();
    FillAsExperiment(*first, Sine(50));
    first->SaveDataFile(path);
  }
  auto window = NewWindow();
  window->OpenDataFile(path);
  EXPECT_EQ(window->windowTitle(), "Переходный процесс [" + path + "]");
  window->Record().TMin = 0.5;
  window->Record().YMax = 0.3;
  ModalAnswers user;
  EXPECT_TRUE(window->close());
  Settle();
  EXPECT_EQ(user.Unexpected(), 0) << "no question for a record that has a file";
}

TEST_F(GraphFrmTest, AFileEndingInsideAFrameOpensWithAWarningNamingItAndTheBytesLeftOut) {
  const QString path = QString::fromStdString(dir.File("short.dta"));
  {
    auto first = NewWindow();
    FillAsExperiment(*first, {1, 2, 3, 4, 5, 6, 7, 8, 9});
    first->Record().AcpMask = first->Record().AcpShowMask = 0b111;  // frames of 6 bytes
    first->Record().RecountRecord();
    first->SaveDataFile(path);
  }
  std::ofstream(dir.File("short.dta"), std::ios::binary | std::ios::app)
      << std::string("\x0A\x00\x0B\x00", 4);
  auto window = NewWindow();
  QString text;
  ModalAnswers user;
  user.Then([&](QWidget* box) {
    text = tornel::testing::MessageText(box);
    tornel::testing::Dismiss(box);
  });
  window->OpenDataFile(path);
  EXPECT_EQ(text, "Последний кадр данных неполный, пропущено байт: 4\n" + path);
  EXPECT_EQ(window->Record().FrameCount, 3.0);
}

TEST_F(GraphFrmTest, AStaticRecordIsTitledAsOne) {
  const QString path = QString::fromStdString(dir.File("static.dta"));
  {
    auto first = NewWindow();
    FillAsExperiment(*first, {5, 6, 7});
    first->Record().IsStatic = true;
    first->SaveDataFile(path);
    EXPECT_EQ(first->windowTitle(), "Статическая характеристика [" + path + "]");
    EXPECT_EQ(first->DataFileName, path);
  }
  auto window = NewWindow();
  window->OpenDataFile(path);
  EXPECT_EQ(window->windowTitle(), "Статическая характеристика [" + path + "]");
}

TEST_F(GraphFrmTest, SaveAskForANameOnlyTheFirstTime) {
  auto window = NewWindow();
  FillAsExperiment(*window, {1, 2});
  const QString path = QString::fromStdString(dir.File("first.dta"));
  ModalAnswers user;
  user.Then(ChooseFile(path));
  window->Actions().ASave->trigger();
  EXPECT_EQ(window->DataFileName, path);
  window->Record().Comments = {"второй"};
  window->Actions().ASave->trigger();  // no dialog now
  Settle();
  EXPECT_EQ(user.Unexpected(), 0);
  EXPECT_NE(tornel::testing::ReadBytes(path.toStdString()).find("\xE2\xF2\xEE\xF0\xEE\xE9"),
            std::string::npos)
      << "the comment in code page 1251";
}

TEST_F(GraphFrmTest, ASaveErrorIsShownAndKeepsTheName) {
  auto window = NewWindow();
  FillAsExperiment(*window, {1, 2});
  const QString blocked = QString::fromStdString(dir.File("Tornel.ini") + "/x.dta");
  tornel::testing::WriteBytes(dir.File("Tornel.ini"), "");
  ModalAnswers user;
  QString message;
  user.Then(ChooseFile(blocked));
  user.Then(Press(QMessageBox::Ok, &message));
  window->Actions().ASaveAs->trigger();
  EXPECT_TRUE(window->DataFileName.isEmpty());
  EXPECT_TRUE(message.startsWith("Не удалось")) << message.toStdString();
}

// Presses a named button of a dialog.
std::function<void(QWidget*)> Click(const char* button, std::function<void(QWidget*)> first = {}) {
  return [button, first](QWidget* w) {
    if (first) first(w);
    auto* b = w->findChild<QPushButton*>(QLatin1String(button));
    ASSERT_NE(b, nullptr) << button;
    b->click();
  };
}

TEST_F(GraphFrmTest, TheTableOpensOnceFollowsTheSampleFileAndGoesWithTheWindow) {
  auto window = NewWindow();
  const std::string raw = FillAsExperiment(*window, {10, 20, 30});
  ModalAnswers user;
  user.Then(Click("Button5"));  // the channel selection, ADC 1 preselected
  window->Actions().ATable->trigger();
  QPointer<TGridFrm> table = window->TableView();
  ASSERT_NE(table, nullptr);
  EXPECT_EQ(table->GridSampleFile(), raw);

  window->Actions().ATable->trigger();  // to the front, no question
  Settle();
  EXPECT_EQ(window->TableView(), table.data());
  EXPECT_EQ(user.Unexpected(), 0);

  tornel::TGraphRecord& r = window->Record();
  tornel::testing::WriteBytes(r.FilteredFile, tornel::testing::Int16Bytes({1, 2, 3}));
  r.SampleFile = r.FilteredFile;
  window->RefreshTable();
  EXPECT_EQ(table->GridSampleFile(), r.FilteredFile);

  window.reset();
  EXPECT_TRUE(table.isNull());
}

TEST_F(GraphFrmTest, ConfirmedSettingsReachTheRecordAndCancelledOnesDoNot) {
  auto window = NewWindow();
  FillAsExperiment(*window, {10, 20, 30});
  auto typeYMax = [](const char* text) {
    return [text](QWidget* w) {
      auto* edit = w->findChild<QLineEdit*>("EYmax");
      ASSERT_NE(edit, nullptr);
      edit->setText(text);
    };
  };
  ModalAnswers user;
  user.Then(Click("Button2", typeYMax("0,5")));
  window->Actions().AGrNast->trigger();
  EXPECT_DOUBLE_EQ(window->Record().YMax, 1.9);
  user.Then(Click("Button1", typeYMax("0,5")));
  window->Actions().AGrNast->trigger();
  EXPECT_DOUBLE_EQ(window->Record().YMax, 0.5);
  EXPECT_TRUE(window->PaintBox()->PicturePending());
  EXPECT_EQ(user.Unexpected(), 0);
}

// The main window's open command, as the user meets it.
class GraphOpenTest : public graphtest::GraphWindowTest {
protected:
  AppEnvironment Environment() {
    AppEnvironment env;
    env.configPath = QString::fromStdString(dir.File("Tornel.ini"));
    return env;
  }
};

TEST_F(GraphOpenTest, AFileOfAnotherProgramClosesTheNewWindowAndSaysSo) {
  TMainForm form(Environment());
  const std::string bad = dir.File("other.dta");
  tornel::testing::WriteBytes(bad, "Some other program's header bytes");
  ModalAnswers user;
  QString message;
  user.Then(Press(QMessageBox::Ok, &message));
  form.OpenFile(QString::fromStdString(bad));
  Settle();
  EXPECT_EQ(message, QString::fromStdString("Файл создан другой программой\n" + bad));
  EXPECT_TRUE(form.MdiArea()->subWindowList().isEmpty());
  int temporaries = 0;
  for (const auto& entry : fs::directory_iterator(dir.Path())) {
    temporaries += entry.path().filename().string().rfind("Trn", 0) == 0;
  }
  EXPECT_EQ(temporaries, 0);
}

TEST_F(GraphOpenTest, ADataFileOpensInAGraphWindowWithItsMenus) {
  const QString path = QString::fromStdString(dir.File("run.dta"));
  {
    auto first = NewWindow();
    FillAsExperiment(*first, Sine(20));
    first->SaveDataFile(path);
  }
  TMainForm form(Environment());
  form.show();
  form.OpenFile(path);
  Settle();
  ASSERT_EQ(form.MdiArea()->subWindowList().size(), 1);
  auto* window = qobject_cast<TGraphFrm*>(form.MdiArea()->subWindowList()[0]->widget());
  ASSERT_NE(window, nullptr);
  EXPECT_EQ(window->windowTitle(), "Переходный процесс [" + path + "]");
  EXPECT_EQ(window->Record().FrameCount, 20);

  QStringList titles;
  for (QMenu* menu : form.ShownMenus()) titles << menu->title();
  EXPECT_EQ(titles, (QStringList{"&Файл", "&Настройка", "Фильтры", "График", "&Окно", "&?"}));
  QMenu* file = form.ShownMenus()[0];
  EXPECT_EQ(file, window->ChildMenus()[0]);
  EXPECT_EQ(Captions(file),
            (QStringList{"&Переходная характеристика", "С&татическая характеристика",
                         "&Новая схема", "-", "&Открыть", "&Закрыть", "-", "&Сохранить",
                         "Сохранить  &как...", "-", "Параметры страницы...", "Настройка принтера",
                         "Печать...", "Экспорт изображения...", "-", "В&ыход"}));
  form.MdiArea()->closeAllSubWindows();
  Settle();
}

}  // namespace
