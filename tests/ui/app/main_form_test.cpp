#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTest>
#include <QToolBar>

#include "core/device/asmcode.h"
#include "core/device/simulated_bench.h"
#include "main_form_fixture.h"
#include "ui/app/device_status.h"
#include "ui/widgets/closing_question.h"

namespace {

using tornel::testing::FakeDevice;

TEST_F(MainFormTest, StartsAsTheMainWindowWithTheConfiguredTable) {
  WriteConfig("[Offset]\r\nCAP_Offset1=500\r\n[Наименования каналов АЦП]\r\nlabel1=Ток\r\n");
  TMainForm& f = Form();
  EXPECT_EQ(MainForm, &f);
  EXPECT_EQ(f.windowTitle(), "TornelAD");
  EXPECT_TRUE(f.windowState() & Qt::WindowMaximized);
  EXPECT_EQ(f.Channels().ConfigPath, dir.File("Tornel.ini"));
  EXPECT_EQ(f.Channels().CapCount, 2);
  EXPECT_EQ(f.Channels().Offset[16], 500);
  EXPECT_EQ(f.Channels().Offset[17], 511);
  EXPECT_EQ(f.Channels().ChanName[0], "Ток");
  EXPECT_EQ(f.Channels().ChanName[1], "Uca");  // missing keys take their defaults
  EXPECT_EQ(f.Printer().pageLayout().orientation(), QPageLayout::Landscape);
  EXPECT_EQ(&f.Device(), &device);
  // A run that changes nothing writes nothing.
  form.reset();
  EXPECT_EQ(MainForm, nullptr);
}

TEST_F(MainFormTest, ShowingAndClosingPutEveryDacInUseAtItsZero) {
  WriteConfig("[Offset]\r\nCAP_Offset1=500\r\nCAP_Offset2=520\r\nCAP_Offset3=100\r\n");
  TMainForm& f = Form();
  EXPECT_TRUE(device.Writes().empty());  // nothing before the window shows
  f.show();
  EXPECT_EQ(device.Writes(), (std::vector<FakeDevice::WriteEntry>{{0, 500, 0}, {1, 520, 0}}));

  device.ClearWrites();
  tornel::CapWrite(device, 0, 900);
  device.ClearWrites();
  EXPECT_TRUE(f.close());
  EXPECT_EQ(device.Writes(), (std::vector<FakeDevice::WriteEntry>{{0, 500, 0}, {1, 520, 0}}));
}

TEST_F(MainFormTest, ActionsCarryTheirCaptionsHintsAndShortcuts) {
  struct Case {
    const char* name;
    const char* caption;
    const char* hint;
    const char* shortcut;
  } cases[] = {
      {"APerehHar", "&Переходная характеристика", "Переходная характеристика", ""},
      {"AStaticHar", "С&татическая характеристика", "Статическая характеристика", ""},
      {"AStructFrm", "&Новая схема", "Новая схема", ""},
      {"FileOpen", "&Открыть", "Открыть файл", "Ctrl+O"},
      {"FileClose", "&Закрыть", "Закрыть файл", ""},
      {"FileExit", "В&ыход", "", ""},
      {"APageSetup", "Параметры страницы...", "", ""},
      {"APrintSetup", "Настройка принтера", "", ""},
      {"ANastrACP", "Настройка &АЦП", "", ""},
      {"ANastrCAP", "Настройка &ЦАП", "", ""},
      {"ACalibrZero", "Калибровка уровня нуля АЦП", "", ""},
      {"AResetZero", "Сброс уровня нуля АЦП", "", ""},
      {"AParams", "&Параметры", "", ""},
      {"WindowCascade", "&Каскад", "", ""},
      {"WindowTileHorizontal", "Рядом (&Горизонтально)", "", ""},
      {"WindowTileVertical", "Рядом (&Вертикально)", "", ""},
      {"WindowMinimizeAll", "&Минимизировать все", "", ""},
      {"WindowArrangeAll", "&Упорядочить все", "", ""},
      {"HelpAbout", "&О программе...", "", ""},
  };
  for (const auto& c : cases) {
    QAction* action = Form().Action(c.name);
    ASSERT_NE(action, nullptr) << c.name;
    EXPECT_EQ(action->text(), QString::fromUtf8(c.caption)) << c.name;
    EXPECT_EQ(action->statusTip(), QString::fromUtf8(c.hint)) << c.name;
    EXPECT_EQ(action->shortcut().toString(), QString::fromUtf8(c.shortcut)) << c.name;
  }
  EXPECT_EQ(Form().Action("NoSuchAction"), nullptr);
}

// Action names of a menu or tool bar, "-" for a separator.
QStringList Names(const QList<QAction*>& actions) {
  QStringList names;
  for (QAction* a : actions) names.append(a->isSeparator() ? "-" : a->objectName());
  return names;
}

TEST_F(MainFormTest, MenusAndToolBarOfferTheCommandsInOrder) {
  TMainForm& f = Form();
  QList<QMenu*> menus = f.ShownMenus();
  ASSERT_EQ(menus.size(), 4);
  EXPECT_EQ(menus[0]->title(), "&Файл");
  EXPECT_EQ(Names(menus[0]->actions()),
            QStringList({"APerehHar", "AStaticHar", "AStructFrm", "-", "FileOpen", "FileClose", "-",
                         "APageSetup", "APrintSetup", "-", "FileExit"}));
  EXPECT_EQ(menus[1]->title(), "&Настройка");
  EXPECT_EQ(Names(menus[1]->actions()), QStringList({"ANastrACP", "ANastrCAP", "-", "ACalibrZero",
                                                     "AResetZero", "-", "AParams"}));
  EXPECT_EQ(menus[2]->title(), "&Окно");
  EXPECT_EQ(Names(menus[2]->actions()),
            QStringList({"WindowCascade", "WindowTileHorizontal", "WindowTileVertical",
                         "WindowMinimizeAll", "WindowArrangeAll"}));
  EXPECT_EQ(menus[3]->title(), "&?");
  EXPECT_EQ(Names(menus[3]->actions()), QStringList({"HelpAbout"}));
  QStringList barTitles;
  for (QAction* a : f.menuBar()->actions()) barTitles.append(a->text());
  EXPECT_EQ(barTitles, QStringList({"&Файл", "&Настройка", "&Окно", "&?"}));

  auto* bar = f.findChild<QToolBar*>("ToolBar1");
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->windowTitle(), "Панель управления");
  EXPECT_TRUE(bar->isMovable());
  EXPECT_EQ(Names(bar->actions()), QStringList({"APerehHar", "AStaticHar", "AStructFrm", "-",
                                                "FileOpen", "FileClose", "-", "HelpAbout"}));
  for (QAction* a : bar->actions()) {
    if (a->isSeparator()) continue;
    EXPECT_FALSE(a->icon().pixmap(24, 24).isNull()) << a->objectName();
  }
}

TEST_F(MainFormTest, EveryCommandIsEnabled) {
  TMainForm& f = Form();
  for (const char* name : {"APerehHar", "AStaticHar", "AStructFrm", "FileOpen", "FileExit",
                           "APageSetup", "APrintSetup", "ACalibrZero", "AResetZero", "HelpAbout",
                           "ANastrACP", "ANastrCAP", "AParams"}) {
    EXPECT_TRUE(f.Action(name)->isEnabled()) << name;
  }
}

TEST_F(MainFormTest, ChildCommandsNeedAChild) {
  TMainForm& f = Form();
  f.show();
  const char* childCommands[] = {"FileClose",          "WindowCascade",     "WindowTileHorizontal",
                                 "WindowTileVertical", "WindowMinimizeAll", "WindowArrangeAll"};
  for (const char* name : childCommands) EXPECT_FALSE(f.Action(name)->isEnabled()) << name;
  f.AddChild(new QWidget);
  for (const char* name : childCommands) EXPECT_TRUE(f.Action(name)->isEnabled()) << name;

  f.Action("FileClose")->trigger();
  Settle();
  EXPECT_TRUE(f.MdiArea()->subWindowList().isEmpty());
  for (const char* name : childCommands) EXPECT_FALSE(f.Action(name)->isEnabled()) << name;
}

TEST_F(MainFormTest, TheFourthChildIsNumberedFour) {
  TMainForm& f = Form();
  f.show();
  for (int i = 0; i < 3; ++i) f.AddChild(new QWidget);
  auto* result = new QWidget;
  f.AddChild(result, "Переходная характеристика ");
  EXPECT_EQ(result->windowTitle(), "Переходная характеристика 4");
  EXPECT_EQ(f.NumberedCaption("Схема "), "Схема 4");
}

TEST_F(MainFormTest, NumberingCountsTheWindowsThatAreLeft) {
  TMainForm& f = Form();
  f.show();
  QMdiSubWindow* first = f.AddChild(new QWidget);
  f.AddChild(new QWidget);
  first->close();
  Settle();
  auto* result = new QWidget;
  f.AddChild(result, "Статическая характеристика ");
  EXPECT_EQ(result->windowTitle(), "Статическая характеристика 2");
}

TEST_F(MainFormTest, OpenDispatchesOnTheExactExtension) {
  DispatchingForm f(Environment());
  struct Case {
    const char* path;
    const char* opened;  // "" for nothing
  } cases[] = {
      {"/data/run.dta", "data /data/run.dta"},
      {"/data/run.DTA", ""},
      {"/data/run.Dta", ""},
      {"/data/drive.str", "scheme /data/drive.str"},
      {"/data/drive.STR", ""},
      {"/data/run.dta.bak", ""},
      {"/data/run.dta/inside", ""},
      {"/data/run", ""},
      {"/data/.dta", "data /data/.dta"},
      {"/data/run.txt", ""},
  };
  for (const auto& c : cases) {
    f.opened.clear();
    f.OpenFile(c.path);
    QStringList expected;
    if (*c.opened) expected.append(QString::fromUtf8(c.opened));
    EXPECT_EQ(f.opened, expected) << c.path;
  }
}

TEST_F(MainFormTest, StatusBarNamesTheDevice) {
  device.SetDescription("comedi /dev/comedi0");
  TMainForm& f = Form();
  EXPECT_EQ(f.Status()->Label()->text(), "Устройство: comedi /dev/comedi0");
  EXPECT_EQ(f.Status()->StendButton(), nullptr);
}

TEST_F(MainFormTest, BenchButtonHoldsTheStartSignalWhilePressed) {
  tornel::SimulatedBench bench(clock);
  AppEnvironment env = Environment();
  env.device = &bench;
  env.bench = &bench;
  TMainForm f(env);
  f.show();
  EXPECT_EQ(f.Status()->Label()->text(), "Устройство: модель стенда");
  QPushButton* button = f.Status()->StendButton();
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(button->text(), "Кнопка стенда");
  EXPECT_FALSE(tornel::StendStartSignal(bench));
  // The model takes its inputs in at the next millisecond.
  QTest::mousePress(button, Qt::LeftButton);
  clock.Advance(1);
  EXPECT_TRUE(tornel::StendStartSignal(bench));
  QTest::mouseRelease(button, Qt::LeftButton);
  clock.Advance(1);
  EXPECT_FALSE(tornel::StendStartSignal(bench));
}

TEST_F(MainFormTest, ExitClosesTheWindow) {
  TMainForm& f = Form();
  f.show();
  f.Action("FileExit")->trigger();
  EXPECT_FALSE(f.isVisible());
}

// A child that refuses to close, as a graph window whose user cancels the
// save question does.
class StubbornChild : public QWidget {
protected:
  void closeEvent(QCloseEvent* event) override { event->ignore(); }
};

TEST_F(MainFormTest, AChildThatStaysKeepsTheProgramOpen) {
  TMainForm& f = Form();
  f.show();
  f.AddChild(new StubbornChild);
  device.ClearWrites();
  EXPECT_FALSE(f.close());
  EXPECT_TRUE(f.isVisible());
  EXPECT_TRUE(device.Writes().empty());
}

// A child with a closing question, answered by a script: it records which
// window was in front when it was asked.
class AskingChild : public QWidget, public ClosingQuestion {
public:
  AskingChild(QMdiArea* area, bool answer, QStringList& log)
      : area_(area), answer_(answer), log_(log) {}
  bool AskBeforeClosing() override {
    const bool inFront =
        area_->activeSubWindow() != nullptr && area_->activeSubWindow()->widget() == this;
    log_.append(objectName() + (inFront ? " asked in front" : " asked behind"));
    answered_ = answer_;
    return answer_;
  }
  void ForgetClosingAnswer() override { answered_ = false; }

protected:
  void closeEvent(QCloseEvent* event) override {
    if (!answered_) AskBeforeClosing();
    event->setAccepted(answered_);
  }

private:
  QMdiArea* area_;
  bool answer_;
  QStringList& log_;
  bool answered_ = false;
};

TEST_F(MainFormTest, ExitAsksEveryWindowFirstAndCancelClosesNothing) {
  TMainForm& f = Form();
  f.show();
  auto* area = f.findChild<QMdiArea*>();
  QStringList log;
  auto* saved = new AskingChild(area, true, log);
  saved->setObjectName("saved");
  auto* plain = new QLabel("no question");
  auto* cancelled = new AskingChild(area, false, log);
  cancelled->setObjectName("cancelled");
  f.AddChild(cancelled);
  f.AddChild(plain);
  f.AddChild(saved);
  EXPECT_FALSE(f.close());
  Settle();
  EXPECT_EQ(log, (QStringList{"saved asked in front", "cancelled asked in front"}));
  EXPECT_EQ(area->subWindowList().size(), 3);
  EXPECT_TRUE(f.isVisible());
}

}  // namespace
