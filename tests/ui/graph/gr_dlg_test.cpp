#include "ui/graph/gr_dlg.h"

#include <gtest/gtest.h>

#include <QColorDialog>
#include <QComboBox>
#include <QDateEdit>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QTabWidget>
#include <QTimeEdit>
#include <QToolButton>
#include <filesystem>
#include <optional>

#include "tests/core/records/hand_file.h"
#include "tests/support/temp_dir.h"
#include "tests/ui/support/modal_driver.h"
#include "ui/graph/gr_dlg_color_shape.h"

namespace {

namespace fs = std::filesystem;
using tornel::testing::Child;
using tornel::testing::Click;
using tornel::testing::ClickBox;
using tornel::testing::OnNextModal;
using tornel::testing::Press;
using tornel::testing::Retype;
using tornel::testing::SelectFileName;

constexpr const char* kConfig = "[Colors]\r\ncolor1=clRed\r\n; the lab's own note\r\n";

class GrDlgTest : public ::testing::Test {
protected:
  GrDlgTest() {
    tornel::testing::WriteBytes(config, kConfig);
    // ADC 2, ADC 5 and DAC 1 recorded: positions 0, 1 and 2.
    record.AcpMask = 0b10010;
    record.CapMask = 0b1;
    record.AcpShowMask = 0b10;
    record.ChanName[1] = "Uя";
    record.ChanName[4] = "Iя";
    record.ChanName[16] = "Uз";
    record.ChanName[0] = "Не записан";
    record.Duration = 2.0;
    record.TMax = 2.0;
  }

  // Opens the dialog on the record; `user` works in it and closes it.
  bool Edit(std::function<void(QWidget*)> user) {
    OnNextModal(std::move(user), "TGrDlg");
    return EditRecordSettings(record, config);
  }

  static QLineEdit* EditOf(QWidget* w, const char* name) { return Child<QLineEdit>(w, name); }

  tornel::testing::TempDir dir;
  std::string config = dir.File("Tornel.ini");
  tornel::TGraphRecord record;
};

QCheckBox* Box(QWidget* w, const QString& name) {
  return Child<QCheckBox>(w, name.toLatin1().constData());
}

void ShowPage(QWidget* w, int index) {
  Child<QTabWidget>(w, "PageControl1")->setCurrentIndex(index);
}

TEST_F(GrDlgTest, ChannelPagesShowNamesAndOnlyRecordedChannelsCanBeTicked) {
  EXPECT_TRUE(Edit([](QWidget* w) {
    EXPECT_EQ(w->windowTitle(), "Настройка");
    auto* pages = Child<QTabWidget>(w, "PageControl1");
    EXPECT_EQ(pages->currentIndex(), 0);
    EXPECT_EQ(pages->tabText(0), "Каналы АЦП");
    EXPECT_FALSE(pages->isTabVisible(6)) << "the additional coordinates are never shown";
    EXPECT_EQ(Box(w, "CheckBox2")->text(), "Uя");
    EXPECT_TRUE(Box(w, "CheckBox2")->isChecked());
    EXPECT_FALSE(Box(w, "CheckBox1")->isEnabled());
    ClickBox(Box(w, "CheckBox1"));  // not recorded: the click does nothing
    ClickBox(Box(w, "CheckBox2"));
    ClickBox(Box(w, "CheckBox5"));
    ShowPage(w, 1);
    EXPECT_TRUE(Box(w, "CheckBox17")->isEnabled());
    EXPECT_FALSE(Box(w, "CheckBox18")->isEnabled());
    ClickBox(Box(w, "CheckBox17"));
    Press(w, "Button1");
  }));
  EXPECT_EQ(record.AcpShowMask, 0b10000);
  EXPECT_EQ(record.CapShowMask, 0b1);
}

TEST_F(GrDlgTest, AStaticRecordOpensOnDependenciesWithoutChannelPagesOrTimeAxis) {
  record.IsStatic = true;
  EXPECT_FALSE(Edit([](QWidget* w) {
    auto* pages = Child<QTabWidget>(w, "PageControl1");
    EXPECT_EQ(pages->currentWidget()->objectName(), "TabSheet3");
    EXPECT_EQ(pages->tabText(pages->currentIndex()), "Зависимости");
    EXPECT_FALSE(pages->isTabVisible(0));
    EXPECT_FALSE(pages->isTabVisible(1));
    ShowPage(w, 4);
    EXPECT_TRUE(Child<QGroupBox>(w, "GroupBoxX")->isVisible());
    EXPECT_FALSE(Child<QGroupBox>(w, "GroupBoxT")->isVisible());
    Press(w, "Button2");
  }));
}

TEST_F(GrDlgTest, TheTimeAxisGroupShowsForATransientRecord) {
  Edit([](QWidget* w) {
    ShowPage(w, 4);
    EXPECT_EQ(Child<QGroupBox>(w, "GroupBoxT")->title(), " Ось t ");
    EXPECT_TRUE(Child<QGroupBox>(w, "GroupBoxT")->isVisible());
    Press(w, "Button2");
  });
}

TEST_F(GrDlgTest, AxisLimitsAreReadLeniently) {
  const std::pair<const char*, double> cases[] = {{"0,5", 0.5},    {"0.5", 0.5}, {"abc", 0.0},
                                                  {"1.25s", 1.25}, {"", 0.0},    {"-3", -3.0}};
  for (const auto& [typed, stored] : cases) {
    record.XMax = 99;
    EXPECT_TRUE(Edit([typed = typed](QWidget* w) {
      ShowPage(w, 4);
      Retype(EditOf(w, "EXmax"), QString::fromUtf8(typed));
      Press(w, "Button1");
    }));
    EXPECT_EQ(record.XMax, stored) << typed;
  }
}

TEST_F(GrDlgTest, TheTimeRangeIsRepairedAgainstTheRecordsLength) {
  struct Case {
    const char* tmin;
    const char* tmax;
    double storedMin, storedMax;
  };
  const Case cases[] = {{"-1", "1,5", 0.0, 1.5},
                        {"0.5", "7", 0.5, 2.0},
                        {"2", "1", 0.0, 2.0},
                        {"0,25", "1", 0.25, 1.0}};
  for (const Case& c : cases) {
    EXPECT_TRUE(Edit([&c](QWidget* w) {
      ShowPage(w, 4);
      Retype(EditOf(w, "Etmin"), QString::fromUtf8(c.tmin));
      Retype(EditOf(w, "Etmax"), QString::fromUtf8(c.tmax));
      Press(w, "Button1");
    }));
    EXPECT_EQ(record.TMin, c.storedMin) << c.tmin << " .. " << c.tmax;
    EXPECT_EQ(record.TMax, c.storedMax) << c.tmin << " .. " << c.tmax;
  }
}

TEST_F(GrDlgTest, AxesPageShowsTwoDecimalsAndPresetsFillXAndY) {
  record.XMin = -1.9;
  record.YMax = 0.125;
  EXPECT_TRUE(Edit([](QWidget* w) {
    ShowPage(w, 4);
    EXPECT_EQ(EditOf(w, "EXmin")->text(), "-1.90");
    EXPECT_EQ(EditOf(w, "EYmax")->text(), "0.13");
    EXPECT_EQ(EditOf(w, "Etmax")->text(), "2.00");
    Click(Child<QToolButton>(w, "SpeedButton2"));
    EXPECT_EQ(EditOf(w, "EXmin")->text(), "0.00");
    EXPECT_EQ(EditOf(w, "EXmax")->text(), "1.20");
    EXPECT_EQ(EditOf(w, "EYmin")->text(), "-1.20");
    EXPECT_EQ(EditOf(w, "EYmax")->text(), "1.20");
    Click(Child<QToolButton>(w, "SpeedButton3"));
    EXPECT_EQ(EditOf(w, "EYmin")->text(), "0.00");
    EXPECT_EQ(EditOf(w, "Etmax")->text(), "2.00") << "presets leave the time axis alone";
    Press(w, "Button1");
  }));
  EXPECT_EQ(record.XMin, 0.0);
  EXPECT_EQ(record.XMax, 1.2);
  EXPECT_EQ(record.YMin, 0.0);
  EXPECT_EQ(record.YMax, 1.2);
}

TEST_F(GrDlgTest, OkWithoutEditsKeepsAutorangedLimitsExactly) {
  record.YMin = -0.0137;
  record.YMax = 0.0981;
  EXPECT_TRUE(Edit([](QWidget* w) { Press(w, "Button1"); }));
  EXPECT_EQ(record.YMin, -0.0137);
  EXPECT_EQ(record.YMax, 0.0981);
}

TEST_F(GrDlgTest, DivisionsGoFromOneToHundredWithoutWrapping) {
  record.DivX = 100;
  record.DivY = 1;
  EXPECT_TRUE(Edit([](QWidget* w) {
    ShowPage(w, 4);
    auto* edX = EditOf(w, "EdelX");
    auto* edY = EditOf(w, "EdelY");
    EXPECT_EQ(edX->text(), "100");
    QTest::keyClick(edX, Qt::Key_Up);
    QTest::keyClick(edY, Qt::Key_Down);
    EXPECT_EQ(edX->text(), "100");
    EXPECT_EQ(edY->text(), "1");
    QTest::keyClick(edX, Qt::Key_Down);
    QTest::keyClick(edY, Qt::Key_Up);
    QTest::keyClick(edY, Qt::Key_Up);
    Press(w, "Button1");
  }));
  EXPECT_EQ(record.DivX, 99);
  EXPECT_EQ(record.DivY, 3);
}

TEST_F(GrDlgTest, DependencyListsHoldRecordedChannelsAndStoreTheirPosition) {
  EXPECT_TRUE(Edit([](QWidget* w) {
    ShowPage(w, 2);
    for (const char* name : {"ComboBox1", "ComboBox16"}) {
      auto* list = Child<QComboBox>(w, name);
      ASSERT_EQ(list->count(), 3) << name;
      EXPECT_EQ(list->itemText(0), "Uя");
      EXPECT_EQ(list->itemText(1), "Iя");
      EXPECT_EQ(list->itemText(2), "Uз");
      EXPECT_FALSE(list->isEditable());
    }
    auto* y1 = Child<QComboBox>(w, "ComboBox1");
    QTest::keyClick(y1, Qt::Key_Down);
    QTest::keyClick(y1, Qt::Key_Down);
    EXPECT_EQ(y1->currentText(), "Uз");
    auto* x1 = Child<QComboBox>(w, "ComboBox9");
    QTest::keyClick(x1, Qt::Key_Down);
    ClickBox(Box(w, "CheckBox33"));
    Press(w, "Button1");
  }));
  EXPECT_EQ(record.Deps[0], (tornel::Dependency{1, 1, 2}));
  EXPECT_EQ(record.Deps[1], (tornel::Dependency{0, 0, 0}));
  EXPECT_TRUE(record.HasDeps);
}

TEST_F(GrDlgTest, AStoredPositionPastTheRecordedChannelsShowsNoItem) {
  record.Deps[2] = {1, 7, 1};
  Edit([](QWidget* w) {
    EXPECT_EQ(Child<QComboBox>(w, "ComboBox11")->currentIndex(), -1);
    EXPECT_EQ(Child<QComboBox>(w, "ComboBox3")->currentText(), "Iя");
    EXPECT_TRUE(Box(w, "CheckBox35")->isChecked());
    Press(w, "Button2");
  });
}

TEST_F(GrDlgTest, AColourChosenForAShapeReachesRecordAndConfiguration) {
  record.ChanColor[0] = 0x0000FF;
  EXPECT_TRUE(Edit([](QWidget* w) {
    OnNextModal(
        [](QWidget* c) {
          auto* colors = qobject_cast<QColorDialog*>(c);
          ASSERT_NE(colors, nullptr);
          EXPECT_EQ(colors->currentColor(), QColor(255, 0, 0)) << "preset with the shape's colour";
          colors->setCurrentColor(QColor(0x12, 0x34, 0x56));
          colors->accept();
        },
        "QColorDialog");
    QTest::mouseClick(Child<GrDlgColorShape>(w, "Shape1"), Qt::RightButton);
    EXPECT_EQ(Child<GrDlgColorShape>(w, "Shape1")->Value(), 0x563412u);
    Press(w, "Button1");
  }));
  EXPECT_EQ(record.ChanColor[0], 0x563412u);
  const std::string ini = tornel::testing::ReadBytes(config);
  EXPECT_NE(ini.find("color1=$00563412"), std::string::npos) << ini;
  EXPECT_NE(ini.find("CAP_color16="), std::string::npos) << ini;
  EXPECT_NE(ini.find("funcs_color8="), std::string::npos) << ini;
  EXPECT_NE(ini.find("; the lab's own note"), std::string::npos) << ini;
}

TEST_F(GrDlgTest, ACancelledColourDialogKeepsTheShapesColour) {
  record.DepColor[7] = 0x008000;
  Edit([](QWidget* w) {
    ShowPage(w, 2);
    OnNextModal([](QWidget* c) { qobject_cast<QDialog*>(c)->reject(); }, "QColorDialog");
    Click(Child<GrDlgColorShape>(w, "Shape40"));
    EXPECT_EQ(Child<GrDlgColorShape>(w, "Shape40")->Value(), 0x008000u);
    Press(w, "Button2");
  });
}

TEST_F(GrDlgTest, CancelChangesNothingAndWritesNoConfiguration) {
  record.Deps[0] = {1, 0, 1};
  record.ChanColor[1] = 0x000080;
  const auto stamp = fs::last_write_time(config);
  EXPECT_FALSE(Edit([](QWidget* w) {
    ClickBox(Box(w, "CheckBox5"));
    OnNextModal(
        [](QWidget* c) {
          qobject_cast<QColorDialog*>(c)->setCurrentColor(Qt::white);
          qobject_cast<QDialog*>(c)->accept();
        },
        "QColorDialog");
    Click(Child<GrDlgColorShape>(w, "Shape2"));
    ShowPage(w, 2);
    ClickBox(Box(w, "CheckBox33"));
    QTest::keyClick(Child<QComboBox>(w, "ComboBox1"), Qt::Key_Down);
    ShowPage(w, 4);
    Retype(EditOf(w, "EXmin"), "5");
    Retype(EditOf(w, "Etmin"), "1");
    Press(w, "Button2");
  }));
  EXPECT_EQ(record.AcpShowMask, 0b10);
  EXPECT_EQ(record.Deps[0], (tornel::Dependency{1, 0, 1}));
  EXPECT_EQ(record.ChanColor[1], 0x000080u);
  EXPECT_EQ(record.XMin, -1.9);
  EXPECT_EQ(record.TMin, 0.0);
  EXPECT_EQ(tornel::testing::ReadBytes(config), kConfig);
  EXPECT_EQ(fs::last_write_time(config), stamp);
}

TEST_F(GrDlgTest, CommentsAreTheMemoLinesAndUntouchedPickersKeepTheExactMoment) {
  record.Comments = {"первая", "вторая"};
  record.Date = 45000;        // 15 March 2023
  record.Time = 0.123456789;  // finer than the picker shows
  EXPECT_TRUE(Edit([](QWidget* w) {
    ShowPage(w, 3);
    auto* memo = Child<QPlainTextEdit>(w, "Memo");
    EXPECT_EQ(memo->toPlainText(), "первая\nвторая");
    EXPECT_EQ(Child<QDateEdit>(w, "DatePicker")->date(), QDate(2023, 3, 15));
    EXPECT_EQ(Child<QTimeEdit>(w, "TimePicker")->time(), QTime(2, 57, 46, 667));
    memo->moveCursor(QTextCursor::End);
    QTest::keyClick(memo, Qt::Key_Return);
    tornel::testing::TypeText(memo, "третья");
    QTest::keyClick(memo, Qt::Key_Return);
    Press(w, "Button1");
  }));
  EXPECT_EQ(record.Comments, (std::vector<std::string>{"первая", "вторая", "третья"}));
  EXPECT_EQ(record.Date, 45000);
  EXPECT_EQ(record.Time, 0.123456789);
}

TEST_F(GrDlgTest, AChangedDateAndTimeAreStored) {
  record.Date = 45000;
  record.Time = 0.5;
  EXPECT_TRUE(Edit([](QWidget* w) {
    ShowPage(w, 3);
    Child<QDateEdit>(w, "DatePicker")->setDate(QDate(2023, 3, 16));
    Child<QTimeEdit>(w, "TimePicker")->setTime(QTime(18, 0));
    Press(w, "Button1");
  }));
  EXPECT_EQ(record.Date, 45001);
  EXPECT_EQ(record.Time, 0.75);
}

// Comparison files: the record has ADC 1, ADC 2 and DAC 1 recorded, as the
// hand-made data file has.
class GrDlgCompareTest : public GrDlgTest {
protected:
  GrDlgCompareTest() {
    record.AcpMask = 0b11;
    record.CapMask = 0b1;
    record.AcpShowMask = 0b1;
    tornel::testing::WriteBytes(good, tornel::testing::HandFile().Str());
    tornel::testing::WriteBytes(foreign, std::string(40, 'x'));
    tornel::testing::DtaBytes other = tornel::testing::HandFile();
    std::string bytes = other.Str();
    tornel::testing::Layout layout;
    tornel::testing::HandFile(&layout);
    bytes[layout.masks] = 0b111;  // ADC 1-3
    tornel::testing::WriteBytes(mismatched, bytes);
  }

  // Presses SBFile<slot> and picks `path` in the open dialog as a user would;
  // `message` then answers the message box, if one is expected.
  static void ChooseFile(QWidget* w, int slot, const std::string& path,
                         std::function<void(QMessageBox*)> message = {}) {
    OnNextModal(
        [path, message](QWidget* d) {
          auto* files = qobject_cast<QFileDialog*>(d);
          ASSERT_NE(files, nullptr);
          EXPECT_TRUE(files->nameFilters().contains("Файл данных (*.dta)"));
          if (message) {
            OnNextModal([message](QWidget* m) { message(qobject_cast<QMessageBox*>(m)); },
                        "QMessageBox");
          }
          SelectFileName(files, QString::fromStdString(path));
          Click(Child<QDialogButtonBox>(files, "buttonBox")->button(QDialogButtonBox::Open));
        },
        "QFileDialog");
    Click(Child<QToolButton>(w, QStringLiteral("SBFile%1").arg(slot).toLatin1().constData()));
  }

  ~GrDlgCompareTest() override {
    if (oldTmp_) {
      qputenv("TMPDIR", *oldTmp_);
    } else {
      qunsetenv("TMPDIR");
    }
  }

  // The temporary sample copies made so far; the test's own temporary
  // folder keeps other programs' files out of the count.
  std::vector<fs::path> TempCopies() const {
    std::vector<fs::path> found;
    for (const auto& e : fs::directory_iterator(tmp)) {
      if (e.path().filename().string().rfind("Trn", 0) == 0) found.push_back(e.path());
    }
    return found;
  }

  std::string tmp = [this] {
    fs::create_directory(dir.File("tmp"));
    return dir.File("tmp");
  }();
  std::optional<QByteArray> oldTmp_ = [this] {
    std::optional<QByteArray> old;
    if (qEnvironmentVariableIsSet("TMPDIR")) old = qgetenv("TMPDIR");
    qputenv("TMPDIR", QByteArray::fromStdString(tmp));
    return old;
  }();
  std::string good = dir.File("good.dta");
  std::string foreign = dir.File("foreign.dta");
  std::string mismatched = dir.File("other.dta");
};

TEST_F(GrDlgCompareTest, AFileOfOtherChannelsIsRefusedAndTheSlotStaysEmpty) {
  EXPECT_TRUE(Edit([this](QWidget* w) {
    ShowPage(w, 5);
    EXPECT_FALSE(Box(w, "CBFile1")->isEnabled());
    EXPECT_FALSE(EditOf(w, "EFile1")->isEnabled());
    ChooseFile(w, 1, mismatched, [this](QMessageBox* box) {
      ASSERT_NE(box, nullptr);
      EXPECT_EQ(box->text(), QString::fromStdString("Несоответствие\n" + mismatched));
      box->accept();
    });
    EXPECT_TRUE(w->isVisible()) << "the dialog stays open";
    EXPECT_EQ(EditOf(w, "EFile1")->text(), "");
    EXPECT_FALSE(Box(w, "CBFile1")->isEnabled());
    ChooseFile(w, 2, foreign, [this](QMessageBox* box) {
      EXPECT_EQ(box->text(), QString::fromStdString("Файл создан другой программой\n" + foreign));
      box->accept();
    });
    EXPECT_EQ(EditOf(w, "EFile2")->text(), "");
    Press(w, "Button1");
  }));
  EXPECT_EQ(record.CompareName[0], "");
  EXPECT_EQ(record.CompareTemp[0], "");
  EXPECT_EQ(record.CompareTemp[1], "");
}

TEST_F(GrDlgCompareTest, AChosenFileBecomesTheRecordsCopyOnConfirmation) {
  EXPECT_TRUE(Edit([this](QWidget* w) {
    ShowPage(w, 5);
    ChooseFile(w, 3, good);
    EXPECT_EQ(EditOf(w, "EFile3")->text().toStdString(), good);
    EXPECT_TRUE(Box(w, "CBFile3")->isEnabled());
    ClickBox(Box(w, "CBFile3"));
    Press(w, "Button1");
  }));
  EXPECT_EQ(record.CompareName[2], good);
  EXPECT_TRUE(record.CompareOn[2]);
  ASSERT_FALSE(record.CompareTemp[2].empty());
  EXPECT_EQ(tornel::testing::ReadBytes(record.CompareTemp[2]), tornel::testing::kSamples);
}

TEST_F(GrDlgCompareTest, TheGraphBlocksRecordGetsACopyOfDoubles) {
  record.Samples = tornel::SampleFormat::Float64;
  EXPECT_TRUE(Edit([this](QWidget* w) {
    ShowPage(w, 5);
    ChooseFile(w, 1, good);
    Press(w, "Button1");
  }));
  // Two frames of three channels: 12 bytes of codes, 48 of doubles.
  EXPECT_EQ(tornel::testing::ReadBytes(record.CompareTemp[0]).size(), 48u);
}

TEST_F(GrDlgCompareTest, CancelDeletesTheCopiesMadeAndKeepsTheRecordsOwn) {
  const std::string owned = tornel::TGraphRecord::MakeTempName();
  record.CompareTemp[0] = owned;
  record.CompareName[0] = "/old/file.dta";
  EXPECT_FALSE(Edit([&](QWidget* w) {
    ShowPage(w, 5);
    EXPECT_TRUE(Box(w, "CBFile1")->isEnabled());
    ChooseFile(w, 1, good);
    ChooseFile(w, 2, good);
    EXPECT_EQ(TempCopies().size(), 3u) << "the record's copy and two new ones";
    EXPECT_TRUE(fs::exists(owned));
    Press(w, "Button2");
  }));
  EXPECT_EQ(TempCopies(), std::vector<fs::path>{owned});
  EXPECT_TRUE(fs::exists(owned));
  EXPECT_EQ(record.CompareTemp[0], owned);
  EXPECT_EQ(record.CompareName[0], "/old/file.dta");
}

TEST_F(GrDlgCompareTest, AReplacedCopyOfTheRecordIsDeletedOnConfirmation) {
  const std::string owned = tornel::TGraphRecord::MakeTempName();
  record.CompareTemp[0] = owned;
  record.CompareName[0] = "/old/file.dta";
  EXPECT_TRUE(Edit([this](QWidget* w) {
    ShowPage(w, 5);
    ChooseFile(w, 1, good);
    Press(w, "Button1");
  }));
  EXPECT_FALSE(fs::exists(owned));
  EXPECT_NE(record.CompareTemp[0], owned);
  EXPECT_TRUE(fs::exists(record.CompareTemp[0]));
}

}  // namespace
