#include "ui/static/static_dlg.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QSlider>
#include <QSpinBox>
#include <QTabBar>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "core/config/profile_file.h"
#include "core/records/little_endian.h"
#include "core/text/cp1251.h"
#include "tests/support/scoped_env.h"
#include "tests/support/temp_dir.h"
#include "tests/ui/support/fake_window_host.h"
#include "tests/ui/support/modal_driver.h"
#include "ui/static/auto_stat_dlg.h"
#include "ui/static/sweep_box.h"

namespace {

using tornel::testing::Child;
using tornel::testing::ClickBox;
using tornel::testing::FakeDevice;
using tornel::testing::OnNextModal;
using tornel::testing::Press;
using tornel::testing::Retype;

constexpr const char* kSection = "Статическая характеристика (defaults)";

// A static window on a fake host whose clock moves 1 ms at every look, so a
// point takes 1000 looks and no real second. Point files go to a folder of
// the test's own, named by TMP as the program reads it.
class StaticDlgTest : public ::testing::Test {
protected:
  StaticDlgTest() {
    std::filesystem::create_directories(pointDir());
    host.table.ConfigPath = dir.File("Tornel.ini");
    host.clock.SetAutoAdvance(1);
  }

  std::string pointDir() const { return dir.File("tmp"); }

  TStaticDlg* Shown() {
    dialog = std::make_unique<TStaticDlg>(host);
    dialog->LoadSettings();
    dialog->show();
    return dialog.get();
  }

  QTableWidget* Grid() { return Child<QTableWidget>(dialog.get(), "StringGrid1"); }
  QString Cell(int row, int column) {
    QTableWidgetItem* item = Grid()->item(row, column);
    return item ? item->text() : QString();
  }
  bool Enabled(const char* button) { return Child<QPushButton>(dialog.get(), button)->isEnabled(); }

  // Word `word` of every point in the file.
  std::vector<int16_t> FileWords(int word) {
    std::string bytes = tornel::testing::ReadBytes(dialog->PointFileName());
    std::vector<int16_t> words;
    for (std::size_t at = 2 * word; at + 2 <= bytes.size(); at += 36)
      words.push_back(tornel::LoadLittleEndian<int16_t>(
          reinterpret_cast<const unsigned char*>(bytes.data() + at)));
    return words;
  }

  tornel::testing::TempDir dir;
  tornel::testing::ScopedEnv tmp{"TMP", dir.File("tmp")};
  tornel::testing::FakeWindowHost host;
  std::unique_ptr<TStaticDlg> dialog;
};

TEST_F(StaticDlgTest, ShowsItsComponentsWithChannelNamesAndUnits) {
  host.table.Offset[17] = 500;
  TStaticDlg* d = Shown();
  EXPECT_EQ(d->windowTitle(), "Статическая характеристика");
  QTableWidget* grid = Grid();
  ASSERT_EQ(grid->columnCount(), 18);
  EXPECT_EQ(grid->rowCount(), 1);  // the empty row the next point goes into
  EXPECT_EQ(grid->horizontalHeaderItem(0)->text(), "Ica, A");
  EXPECT_EQ(grid->horizontalHeaderItem(10)->text(), "K11");  // no unit: the name alone
  EXPECT_EQ(grid->horizontalHeaderItem(16)->text(), "M, Н*м");
  EXPECT_EQ(grid->horizontalHeaderItem(17)->text(), "U, B");
  EXPECT_EQ(Child<QLabel>(d, "Label1")->text(), "M");
  EXPECT_EQ(Child<QLabel>(d, "Label2")->text(), "U");
  EXPECT_EQ(Child<QLineEdit>(d, "ERazm1")->text(), "Н*м");
  EXPECT_EQ(Child<QLineEdit>(d, "ERazm2")->text(), "B");
  EXPECT_EQ(Child<QLineEdit>(d, "Edit1")->text(), "0.00");
  EXPECT_TRUE(Child<QLineEdit>(d, "Edit2")->isReadOnly());
  auto* bar2 = Child<QSlider>(d, "TrackBar2");
  EXPECT_EQ(bar2->minimum(), -500);
  EXPECT_EQ(bar2->maximum(), 522);
  EXPECT_EQ(bar2->value(), 0);
  EXPECT_EQ(bar2->tickInterval(), 10);
  auto* bench = Child<QCheckBox>(d, "ChBStartFromStend");
  EXPECT_EQ(bench->text(),
            "Начать расчет очередной точки статической характеристики после нажатия "
            "соответствующей кнопки на стенде");
  EXPECT_TRUE(bench->isChecked());
  const std::pair<const char*, const char*> buttons[] = {
      {"Button1", "Удалить точку"}, {"Button2", "Удалить все"}, {"Button3", "Записать"},
      {"Button4", "Настройка"},     {"Button5", "Автомат"},     {"BitBtn1", "Продолжить"},
      {"BitBtn2", "Отменить"}};
  for (const auto& [name, text] : buttons) EXPECT_EQ(Child<QPushButton>(d, name)->text(), text);
  EXPECT_TRUE(Child<QPushButton>(d, "Button3")->isDefault());
  EXPECT_EQ(Child<QPushButton>(d, "Button3")->toolTip(), "Записать точку");
  EXPECT_EQ(Child<QPushButton>(d, "Button5")->toolTip(), "Автоматический режим");
  EXPECT_FALSE(Enabled("Button1"));
  EXPECT_FALSE(Enabled("Button2"));
  EXPECT_EQ(d->findChild<QTimer*>("TimerBg")->interval(), 1);
  EXPECT_TRUE(d->findChild<QTimer*>("TimerBg")->isActive());
  EXPECT_FALSE(d->findChild<QTimer*>("TimerAuto")->isActive());
  EXPECT_EQ(host.device.LastCode(1), 500);  // both DACs at their zero codes
}

TEST_F(StaticDlgTest, MovingATrackBarSetsTheDacAtOnceAndShowsItsValue) {
  host.table.Base[16] = 10;
  TStaticDlg* d = Shown();
  Child<QSlider>(d, "TrackBar1")->setValue(100);
  EXPECT_EQ(host.device.LastCode(0), 611);
  EXPECT_EQ(Child<QLineEdit>(d, "Edit1")->text(), "1.96");  // 100 / 511 * 10
  EXPECT_EQ(d->DacLevel[0], 100);
}

TEST_F(StaticDlgTest, RecordingAPointFillsARowAndTheFileAndMovesToTheNewEmptyRow) {
  host.table.FilterMask = 1;
  host.device.SetConstant(0, -100);  // Ica, averaged as RMS
  host.device.SetConstant(5, 511);   // W
  TStaticDlg* d = Shown();
  Child<QSlider>(d, "TrackBar2")->setValue(-511);
  Press(d, "Button3");
  EXPECT_EQ(d->PointCount(), 1);
  EXPECT_EQ(Grid()->rowCount(), 2);
  EXPECT_EQ(Cell(0, 0), "2.935");  // +100 / 511 * 15
  EXPECT_EQ(Cell(0, 5), "188.000");
  EXPECT_EQ(Cell(0, 17), "-1.000");
  EXPECT_EQ(Cell(1, 0), "");
  EXPECT_EQ(Grid()->currentRow(), 1);
  EXPECT_EQ(FileWords(0), (std::vector<int16_t>{100}));
  EXPECT_EQ(FileWords(17), (std::vector<int16_t>{-511}));
  EXPECT_FALSE(Enabled("Button1"));  // the empty row is no point
  EXPECT_TRUE(Enabled("Button2"));
  EXPECT_EQ(host.priority.calls,
            (std::vector<std::string>{"class 32", "thread 0", "class 32", "thread 0"}));
}

TEST_F(StaticDlgTest, DeletingPointsShiftsTheRowsAndDeleteAllEmptiesTable) {
  TStaticDlg* d = Shown();
  auto* bar = Child<QSlider>(d, "TrackBar1");
  for (int level : {10, 20, 30}) {
    bar->setValue(level);
    Press(d, "Button3");
  }
  Grid()->setCurrentCell(0, 0);
  ASSERT_TRUE(Enabled("Button1"));
  Press(d, "Button1");
  EXPECT_EQ(d->PointCount(), 2);
  EXPECT_EQ(Grid()->rowCount(), 3);
  EXPECT_EQ(FileWords(16), (std::vector<int16_t>{20, 30}));
  EXPECT_EQ(Cell(0, 16), "0.039");  // 20 / 511
  Grid()->setCurrentCell(1, 0);     // the last point
  Press(d, "Button1");
  EXPECT_EQ(FileWords(16), (std::vector<int16_t>{20}));
  EXPECT_EQ(Grid()->rowCount(), 2);
  Press(d, "Button2");
  EXPECT_EQ(d->PointCount(), 0);
  EXPECT_EQ(Grid()->rowCount(), 1);
  EXPECT_EQ(std::filesystem::file_size(d->PointFileName()), 0u);
  EXPECT_FALSE(Enabled("Button2"));
}

TEST_F(StaticDlgTest, APointThatCannotBeWrittenIsToldAndNotShown) {
  TStaticDlg* d = Shown();
  std::string file = d->PointFileName();
  std::filesystem::remove_all(pointDir());
  QString told;
  OnNextModal([&](QWidget* w) {
    told = qobject_cast<QMessageBox*>(w)->text();
    qobject_cast<QDialog*>(w)->accept();
  });
  Press(d, "Button3");
  EXPECT_EQ(told.toStdString(), "Не удалось записать точку в файл " + file);
  EXPECT_EQ(d->PointCount(), 0);
  EXPECT_EQ(Grid()->rowCount(), 1);
}

TEST_F(StaticDlgTest, HoldingTheBenchButtonRecordsPointAfterPoint) {
  host.device.SetConstant(15, 1000);  // the button is down
  TStaticDlg* d = Shown();
  uint32_t start = host.clock.Peek();
  ASSERT_TRUE(QTest::qWaitFor([&] { return d->PointCount() >= 3; }, 5000));
  host.device.SetConstant(15, 0);
  EXPECT_GE(host.clock.Peek() - start, 3000u);  // each point its second
  int32_t held = d->PointCount();
  QTest::qWait(30);
  EXPECT_EQ(d->PointCount(), held);

  ClickBox(Child<QCheckBox>(d, "ChBStartFromStend"));
  host.device.SetConstant(15, 1000);
  QTest::qWait(30);
  EXPECT_EQ(d->PointCount(), held);
}

TEST_F(StaticDlgTest, SweepDrawsBothChannelsAndClearsAfterThirtySeconds) {
  host.clock.SetAutoAdvance(0);
  host.device.SetConstant(5, 511);  // Coord1 = W at the top
  host.device.SetConstant(6, 0);    // Coord2 = M on the middle line
  TStaticDlg* d = Shown();
  auto* box = Child<SweepBox>(d, "PaintBox1");
  int middle = box->height() / 2;
  int half = box->width() / 2;
  // The background timer ticks when the loaded machine lets it: wait for
  // the picture, not for a fixed time.
  auto at = [box](int x, int y) { return box->Picture().pixelColor(x, y); };
  EXPECT_TRUE(QTest::qWaitFor([&] { return at(0, middle) == QColor(0, 255, 0); }, 5000));
  EXPECT_EQ(at(0, 0), QColor(255, 0, 0));
  EXPECT_EQ(Child<QLabel>(d, "Label3")->text(), "W = 188.000 рад/с");
  EXPECT_EQ(Child<QLabel>(d, "Label4")->text(), "M = 0.000 Н*м");
  host.clock.Advance(15000);
  EXPECT_TRUE(QTest::qWaitFor([&] { return at(half, 0) == QColor(255, 0, 0); }, 5000));
  host.clock.Advance(15001);
  EXPECT_TRUE(QTest::qWaitFor([&] { return at(half, 0) == QColor(Qt::black); }, 5000));
  EXPECT_EQ(box->Picture().pixelColor(half, middle), QColor(0, 128, 0));  // the middle line
  EXPECT_EQ(box->Picture().pixelColor(0, 0), QColor(255, 0, 0));  // drawing starts at the left
}

TEST_F(StaticDlgTest, RightClickChoosesTheSweepChannelsAndSavesThemAtOnce) {
  TStaticDlg* d = Shown();
  OnNextModal([](QWidget* w) {
    EXPECT_EQ(Child<QLabel>(w, "Label1")->text(), "Коорд.№1");
    EXPECT_EQ(Child<QLabel>(w, "Label2")->text(), "Коорд.№2");
    auto* first = Child<QComboBox>(w, "ComboBox1");
    auto* second = Child<QComboBox>(w, "ComboBox2");
    EXPECT_TRUE(second->isVisible());
    EXPECT_EQ(first->count(), 16);
    EXPECT_EQ(first->currentIndex(), 5);
    EXPECT_EQ(second->currentIndex(), 6);
    EXPECT_EQ(first->itemText(15), "K16");
    first->setCurrentIndex(0);
    second->setCurrentIndex(9);
    Press(w, "Button5");
  });
  QTest::mouseClick(Child<SweepBox>(d, "PaintBox1"), Qt::RightButton);
  EXPECT_EQ(d->Coord1, 0);
  EXPECT_EQ(d->Coord2, 9);
  tornel::ProfileFile ini(host.table.ConfigPath);
  EXPECT_EQ(ini.ReadInteger(kSection, "Координата №1", -1), 0);
  EXPECT_EQ(ini.ReadInteger(kSection, "Координата №2", -1), 9);
}

TEST_F(StaticDlgTest, SettingsChangeTheFilterMaskInMemoryOnly) {
  host.table.FilterMask = 15;
  TStaticDlg* d = Shown();
  OnNextModal([](QWidget* w) {
    ClickBox(Child<QCheckBox>(w, "CheckBox1"));
    Press(w, "Button5");
  });
  Press(d, "Button4");
  EXPECT_EQ(host.table.FilterMask, 14);
  EXPECT_FALSE(std::filesystem::exists(host.table.ConfigPath));
}

TEST_F(StaticDlgTest, ClosingRampsBothDacsBackToZero) {
  TStaticDlg* d = Shown();
  Child<QSlider>(d, "TrackBar1")->setValue(100);
  Child<QSlider>(d, "TrackBar2")->setValue(-50);
  host.ramps.clear();
  Press(d, "BitBtn2");
  EXPECT_EQ(d->result(), QDialog::Rejected);
  ASSERT_EQ(host.ramps.size(), 1u);
  EXPECT_EQ(host.ramps[0][0], 100);
  EXPECT_EQ(host.ramps[0][1], -50);
  EXPECT_EQ(host.device.LastCode(0), 511);
  EXPECT_EQ(host.device.LastCode(1), 511);
}

class AutoRunTest : public StaticDlgTest {
protected:
  AutoRunTest() { host.table.Base[17] = host.table.RealBase[17] = 10; }
};

TEST_F(AutoRunTest, StepsTheDacRecordsAPointAtEachStepAndRampsBack) {
  TStaticDlg* d = Shown();
  d->StartAutoRun(1, {0, 10, 3, 0.001});
  ASSERT_TRUE(d->AutoRunning());
  EXPECT_EQ(Child<QPushButton>(d, "Button5")->text(), "Стоп");
  for (const char* name : {"BitBtn1", "BitBtn2", "Button3"}) EXPECT_FALSE(Enabled(name)) << name;
  EXPECT_FALSE(Child<QCheckBox>(d, "ChBStartFromStend")->isEnabled());
  EXPECT_FALSE(Child<QSlider>(d, "TrackBar2")->isEnabled());
  EXPECT_TRUE(Child<QSlider>(d, "TrackBar1")->isEnabled());
  d->close();  // the title bar's close waits for "Стоп"
  EXPECT_TRUE(d->isVisible());

  ASSERT_TRUE(QTest::qWaitFor([&] { return !d->AutoRunning(); }, 10000));
  EXPECT_EQ(FileWords(17), (std::vector<int16_t>{0, 255, 511}));  // 0, 5, 10 on the grid
  EXPECT_EQ(Cell(1, 17), "4.990");
  EXPECT_EQ(Cell(2, 17), "10.000");
  EXPECT_EQ(host.device.LastCode(1), 511);  // back at zero
  EXPECT_EQ(Child<QSlider>(d, "TrackBar2")->value(), 0);
  EXPECT_TRUE(Child<QSlider>(d, "TrackBar2")->isEnabled());
  EXPECT_EQ(Child<QPushButton>(d, "Button5")->text(), "Автомат");
  for (const char* name : {"BitBtn1", "BitBtn2", "Button3"}) EXPECT_TRUE(Enabled(name)) << name;
}

TEST_F(AutoRunTest, RampsBetweenStepsAtTheTziRate) {
  host.table.Tzi = 2.0;
  TStaticDlg* d = Shown();
  std::vector<FakeDevice::WriteEntry> before = host.device.Writes();
  d->StartAutoRun(1, {10, 0, 2, 0.001});  // starts by ramping 0 -> 511
  std::vector<FakeDevice::WriteEntry> toDac2;
  for (std::size_t i = before.size(); i < host.device.Writes().size(); ++i)
    if (host.device.Writes()[i].channel == 1) toDac2.push_back(host.device.Writes()[i]);
  ASSERT_GT(toDac2.size(), 2u);
  EXPECT_EQ(toDac2.back().code, 1022);
  uint32_t took = toDac2.back().tick - toDac2.front().tick;
  EXPECT_GE(took, 1990u);  // 511 codes in Tzi = 2 s
  EXPECT_LE(took, 2010u);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !d->AutoRunning(); }, 10000));
  EXPECT_EQ(FileWords(17), (std::vector<int16_t>{511, 0}));
}

TEST_F(AutoRunTest, StopEndsTheRunAtOnceWhileSettlingAndOnceARampUnderWayIsDone) {
  struct Case {
    const char* when;
    tornel::AutoRunRequest request;
    bool duringRamp;
    int16_t reached;  // the highest code DAC 2 was given
  };
  const Case cases[] = {
      {"settling", {5, 10, 3, 30}, false, 511 + 255},  // 30 s to wait at the first level
      {"ramp", {10, 0, 3, 30}, true, 511 + 511},       // pressed during the 2 s ramp up
  };
  for (const Case& c : cases) {
    TStaticDlg* d = Shown();
    host.device.ClearWrites();
    bool settingsInRamp = false;  // no window may open while a ramp runs
    if (c.duringRamp) {
      QTimer::singleShot(0, d, [&] {
        settingsInRamp = Enabled("Button4");
        Press(d, "Button5");
      });
    }
    d->StartAutoRun(1, c.request);
    if (!c.duringRamp) {
      ASSERT_TRUE(d->findChild<QTimer*>("TimerAuto")->isActive()) << c.when;
      Press(d, "Button5");
    }
    EXPECT_FALSE(d->AutoRunning()) << c.when;
    EXPECT_EQ(d->PointCount(), 0) << c.when;
    int16_t highest = 0;
    for (const FakeDevice::WriteEntry& w : host.device.WritesTo(1))
      highest = std::max(highest, w.code);
    EXPECT_EQ(highest, c.reached) << c.when;
    EXPECT_EQ(host.device.LastCode(1), 511) << c.when;  // back at zero
    EXPECT_EQ(Child<QPushButton>(d, "Button5")->text(), "Автомат") << c.when;
    EXPECT_TRUE(Enabled("BitBtn1")) << c.when;
    EXPECT_FALSE(settingsInRamp) << c.when;
    EXPECT_TRUE(Enabled("Button4")) << c.when;
  }
}

// The run dialog over the fixture's host and its configuration file.
class AutoStatDlgTest : public AutoRunTest {
protected:
  TAutoStatDlg* Opened(const std::string& section) {
    tornel::testing::WriteBytes(
        host.table.ConfigPath,
        tornel::Utf8ToCp1251("[" + std::string(kSection) + "]\r\n" + section));
    runDialog = std::make_unique<TAutoStatDlg>(host);
    runDialog->LoadAutoTabs();
    runDialog->LoadAutoSettings();
    runDialog->ShowAutoTab();
    runDialog->show();
    return runDialog.get();
  }
  std::unique_ptr<TAutoStatDlg> runDialog;
};

TEST_F(AutoStatDlgTest, SwitchingTabsNeverChangesAStoredValue) {
  host.table.Base[16] = host.table.RealBase[16] = 10;
  host.table.Offset[16] = 511;  // DAC 1 reaches +10, DAC 2 only 507 codes up
  host.table.Offset[17] = 515;
  TAutoStatDlg* w = Opened(
      "Номер ЦАП=0\r\nКон.значение сигнала задания0=10\r\nКон.значение сигнала задания1=2\r\n");
  auto* tabs = Child<QTabBar>(w, "TabControl");
  auto* end = Child<QLineEdit>(w, "EKon");
  auto* bar = Child<QSlider>(w, "TrackBar2");
  struct Step {
    int tab;
    const char* shown;
    int position;
  };
  for (const Step& s : {Step{1, "2.0", 102}, Step{0, "10.0", 511}, Step{1, "2.0", 102}}) {
    QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(s.tab).center());
    ASSERT_EQ(tabs->currentIndex(), s.tab);
    EXPECT_EQ(end->text(), s.shown) << s.tab;
    EXPECT_EQ(bar->value(), s.position) << s.tab;
  }
  w->StoreAutoTab();
  EXPECT_EQ(w->AutoEnd[0], 10);
  EXPECT_EQ(w->AutoEnd[1], 2);
}

TEST_F(AutoStatDlgTest, TypingAStartMovesItsTrackBarWithinItsRange) {
  host.table.Base[16] = host.table.RealBase[16] = 10;
  host.table.Offset[16] = 511;  // -511..511: -10..10
  struct Case {
    const char* typed;
    int position;  // trunc(value / 10 * 511), held to the range
    const char* settled;
    double stored;
  };
  const Case cases[] = {
      {"7,5", 383, "7.5", 7.5},    {"2.5 B", 127, "2.5", 2.5}, {"15", 511, "10.0", 10},
      {"-20", -511, "-10.0", -10}, {"abc", 0, "0.0", 0},
  };
  TAutoStatDlg* w = Opened("Номер ЦАП=0\r\nНач.значение сигнала задания0=1\r\n");
  auto* start = Child<QLineEdit>(w, "ENach");
  auto* bar = Child<QSlider>(w, "TrackBar1");
  EXPECT_FALSE(start->isReadOnly());
  for (const Case& c : cases) {
    Retype(start, QString::fromUtf8(c.typed));
    EXPECT_EQ(bar->value(), c.position) << c.typed;
    w->StoreAutoTab();
    EXPECT_EQ(start->text(), c.settled) << c.typed;
    EXPECT_EQ(w->AutoStart[0], c.stored) << c.typed;
    EXPECT_EQ(bar->value(), c.position) << c.typed;
  }
}

TEST_F(AutoRunTest, ATooLongTimeStepIsToldAndTheRunDialogStaysOpenWithWhatWasTyped) {
  TStaticDlg* d = Shown();
  QString told;
  bool stayed = false;
  OnNextModal([&](QWidget* w) {
    Child<QSlider>(w, "TrackBar2")->setValue(511);
    Retype(Child<QLineEdit>(w, "EShagVr"), "600");
    OnNextModal([&](QWidget* box) {
      told = qobject_cast<QMessageBox*>(box)->text();
      qobject_cast<QDialog*>(box)->accept();
    });
    Press(w, "Button5");
    stayed = w->isVisible() && Child<QLineEdit>(w, "EShagVr")->text() == "600";
    Press(w, "Button6");
  });
  Press(d, "Button5");
  EXPECT_EQ(told, "Шаг по времени должен быть не больше 60 с");
  EXPECT_TRUE(stayed);
  EXPECT_FALSE(d->AutoRunning());
}

TEST_F(AutoRunTest, RefusesOnePointAndATooShortStepWithAMessage) {
  TStaticDlg* d = Shown();
  const std::pair<tornel::AutoRunRequest, const char*> cases[] = {
      {{0, 10, 1, 1}, "Количество точек должно быть не меньше 2"},
      {{0, 10, 3, 0.0005}, "Шаг по времени должен быть не меньше 0,001 с"}};
  for (const auto& [request, message] : cases) {
    QString told;
    OnNextModal([&](QWidget* w) {
      told = qobject_cast<QMessageBox*>(w)->text();
      qobject_cast<QDialog*>(w)->accept();
    });
    d->StartAutoRun(1, request);
    EXPECT_EQ(told, message);
    EXPECT_FALSE(d->AutoRunning());
  }
}

TEST_F(AutoRunTest, TheRunDialogShowsTheSavedValuesOnTheGridAndStartsTheRun) {
  tornel::testing::WriteBytes(host.table.ConfigPath,
                              tornel::Utf8ToCp1251("[Статическая характеристика (defaults)]\r\n"
                                                   "Номер ЦАП=1\r\n"
                                                   "Нач.значение сигнала задания1=3,33\r\n"
                                                   "Кол-во экспер.точек1=3\r\n"));
  TStaticDlg* d = Shown();
  OnNextModal([](QWidget* w) {
    EXPECT_EQ(w->windowTitle(), "Автоматический режим");
    auto* tabs = Child<QTabBar>(w, "TabControl");
    EXPECT_EQ(tabs->tabText(0), "M");
    EXPECT_EQ(tabs->tabText(1), "U");
    EXPECT_EQ(tabs->currentIndex(), 1);
    EXPECT_EQ(Child<QLineEdit>(w, "ENach")->text(), "3.3");  // 170 codes: 3.327
    EXPECT_EQ(Child<QLineEdit>(w, "ERazm1")->text(), "B");
    EXPECT_EQ(Child<QLineEdit>(w, "ERazmVr")->text(), "c");
    EXPECT_EQ(Child<QSpinBox>(w, "UpDown1")->value(), 3);
    EXPECT_EQ(Child<QSpinBox>(w, "UpDown1")->minimum(), 2);
    EXPECT_EQ(Child<QSpinBox>(w, "UpDown1")->maximum(), 3000);
    Child<QSlider>(w, "TrackBar1")->setValue(0);
    Child<QSlider>(w, "TrackBar2")->setValue(511);
    EXPECT_EQ(Child<QLineEdit>(w, "EKon")->text(), "10.0");
    Retype(Child<QLineEdit>(w, "EShagVr"), "0,001");
    Press(w, "Button5");
  });
  Press(d, "Button5");
  EXPECT_TRUE(d->AutoRunning());
  ASSERT_TRUE(QTest::qWaitFor([&] { return !d->AutoRunning(); }, 10000));
  EXPECT_EQ(FileWords(17), (std::vector<int16_t>{0, 255, 511}));
  tornel::ProfileFile ini(host.table.ConfigPath);
  EXPECT_EQ(ini.ReadString(kSection, "Номер ЦАП", "?"), "1");
  EXPECT_EQ(ini.ReadString(kSection, "Кон.значение сигнала задания1", "?"), "10");
  EXPECT_EQ(ini.ReadString(kSection, "Шаг по времени1", "?"), "0.001");
}

}  // namespace
