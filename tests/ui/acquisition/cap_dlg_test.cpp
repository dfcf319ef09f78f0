#include "ui/acquisition/cap_dlg.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSlider>
#include <QTabBar>
#include <QTest>

#include "settings_fixture.h"
#include "tests/ui/support/modal_driver.h"

namespace {

using tornel::testing::Child;
using tornel::testing::FakeDevice;
using tornel::testing::OnNextModal;
using tornel::testing::Press;
using tornel::testing::Retype;

QLineEdit* Edit(QWidget* w, const char* name) { return Child<QLineEdit>(w, name); }
QSlider* Bar(QWidget* w, const char* name) { return Child<QSlider>(w, name); }

void ClickTab(QWidget* dialog, int index) {
  auto* tabs = Child<QTabBar>(dialog, "TabControl1");
  QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(index).center());
}

// Drags a track bar to `position`, as the mouse leaves it.
void Drag(QSlider* bar, int position) {
  bar->setSliderDown(true);
  bar->setSliderPosition(position);
  bar->setSliderDown(false);
}

class CapDlgTest : public SettingsTest {
protected:
  bool Run(std::function<void(TCAPDlg*)> user) {
    OnNextModal([user](QWidget* w) {
      auto* dialog = qobject_cast<TCAPDlg*>(w);
      ASSERT_NE(dialog, nullptr);
      user(dialog);
    });
    return EditCapSettings(host);
  }
  // What the DACs in use were set to last.
  std::vector<int16_t> Outputs() const {
    return {device.LastCode(0).value_or(-1), device.LastCode(1).value_or(-1)};
  }
};

TEST_F(CapDlgTest, ShowsATabPerDacInUseAndEveryCaption) {
  table.ChanName[17] = "Задание скорости";
  table.ChanUnit[16] = "Н*м";
  Run([](TCAPDlg* d) {
    EXPECT_EQ(d->windowTitle(), "Настройка ЦАП");
    auto* tabs = Child<QTabBar>(d, "TabControl1");
    ASSERT_EQ(tabs->count(), 2);
    EXPECT_EQ(tabs->tabText(0), "M");
    EXPECT_EQ(tabs->tabText(1), "Задание скорости");
    EXPECT_EQ(Child<QGroupBox>(d, "GroupBox1")->title(), "Смещение нуля ЦАП");
    EXPECT_EQ(Child<QGroupBox>(d, "GroupBox2")->title(), "Установка уровня сигнала ЦАП");
    EXPECT_EQ(Child<QLabel>(d, "Label1")->text(),
              "Установите на стенде нулевое значение сигнала задания с помощью данной линейки\n"
              "(линейка установки уровня сигнала ЦАП должна быть в нулевом положении)");
    EXPECT_TRUE(Child<QLabel>(d, "Label1")->alignment() & Qt::AlignHCenter);
    EXPECT_EQ(Child<QLabel>(d, "Label2")->text(),
              "Установите линейкой ненулевое значение сигнала\nзадания на стенде и занесите его "
              "в это поле ");
    EXPECT_EQ(Child<QLabel>(d, "Label3")->text(), "Базовое значение сигнала задания");
    for (const char* name : {"TBOffset", "TBUrov"}) {
      EXPECT_EQ(Bar(d, name)->minimum(), 0);
      EXPECT_EQ(Bar(d, name)->maximum(), 1022);
      EXPECT_EQ(Bar(d, name)->tickInterval(), 10);
    }
    EXPECT_EQ(Bar(d, "TBOffset")->value(), 511);
    EXPECT_EQ(Bar(d, "TBUrov")->value(), 511);
    EXPECT_EQ(Edit(d, "EOffset")->text(), "511");
    EXPECT_EQ(Edit(d, "EUrov")->text(), "0.000");
    EXPECT_EQ(Edit(d, "ERealBase")->text(), "1.000");
    EXPECT_EQ(Edit(d, "ERazm1")->text(), "Н*м");
    EXPECT_EQ(Edit(d, "ERazm2")->text(), "Н*м");
    EXPECT_TRUE(Edit(d, "EOffset")->isReadOnly());
    EXPECT_FALSE(Edit(d, "EBase")->isReadOnly());
    Press(d, "BtnCancel");
  });
}

TEST_F(CapDlgTest, ALevelOf255CalibratesBaseFromTheTypedValueAndRampsBackToZero) {
  std::vector<int16_t> live;
  EXPECT_TRUE(Run([&](TCAPDlg* d) {
    ClickTab(d, 1);
    Drag(Bar(d, "TBUrov"), 766);
    EXPECT_EQ(Edit(d, "EUrov")->text(), "0.499");
    live = Outputs();
    Retype(Edit(d, "EBase"), "50");
    device.ClearWrites();
    Press(d, "BtnOk");
  }));
  EXPECT_EQ(live, (std::vector<int16_t>{511, 766}));
  EXPECT_EQ(host.ramps, (std::vector<std::vector<int16_t>>{{0, 255}}));
  EXPECT_NEAR(table.Base[17], 50.0 * 511 / 255, 1e-12);
  EXPECT_EQ(Stored("Base", "CAP_Base2"), "100.196078431373");
  // Down a ramp: DAC 2 passes through codes between its level and its zero.
  auto toDac2 = device.WritesTo(1);
  ASSERT_GT(toDac2.size(), 2u);
  EXPECT_LT(toDac2[1].code, 766);
  EXPECT_GT(toDac2[1].code, 511);
  EXPECT_EQ(Outputs(), (std::vector<int16_t>{511, 511}));
}

TEST_F(CapDlgTest, MovingTheOffsetCarriesTheLevelAndDrivesTheOutputsLive) {
  EXPECT_TRUE(Run([&](TCAPDlg* d) {
    Drag(Bar(d, "TBUrov"), 766);
    Drag(Bar(d, "TBOffset"), 521);
    EXPECT_EQ(Bar(d, "TBUrov")->value(), 776);
    EXPECT_EQ(Edit(d, "EOffset")->text(), "521");
    EXPECT_EQ(Edit(d, "EUrov")->text(), "0.499");
    EXPECT_EQ(Outputs(), (std::vector<int16_t>{776, 511}));
    Press(d, "BtnOk");
  }));
  EXPECT_EQ(table.Offset[16], 521);
  EXPECT_EQ(Stored("Offset", "CAP_Offset1"), "521");
  EXPECT_EQ(Outputs(), (std::vector<int16_t>{521, 511}));
}

TEST_F(CapDlgTest, ChangingTabStoresTheTabLeftAndKeepsItsOutput) {
  EXPECT_TRUE(Run([&](TCAPDlg* d) {
    Drag(Bar(d, "TBOffset"), 500);
    Drag(Bar(d, "TBUrov"), 600);
    Retype(Edit(d, "EBase"), "2");
    Retype(Edit(d, "ERealBase"), "1,5");
    ClickTab(d, 1);
    EXPECT_EQ(Edit(d, "EOffset")->text(), "511");
    EXPECT_EQ(Bar(d, "TBUrov")->value(), 511);
    EXPECT_EQ(Outputs(), (std::vector<int16_t>{600, 511}));
    ClickTab(d, 0);
    EXPECT_EQ(Edit(d, "EBase")->text(), "2.000");
    EXPECT_EQ(Edit(d, "ERealBase")->text(), "1.500");
    Press(d, "BtnOk");
  }));
  EXPECT_NEAR(table.Base[16], 2.0 * 511 / 100, 1e-12);
  EXPECT_EQ(table.RealBase[16], 1.5);
  EXPECT_EQ(table.Base[17], 1);  // a zero test level keeps the base
}

TEST_F(CapDlgTest, CancelOrTheTitleBarLeavesTableAndFileAndEndsAtTheZeroCodes) {
  table.Offset[16] = 480;
  const tornel::ChannelTable before = table;
  for (bool titleBar : {false, true}) {
    std::vector<FakeDevice::WriteEntry> first;
    EXPECT_FALSE(Run([&](TCAPDlg* d) {
      first = device.Writes();
      Drag(Bar(d, "TBOffset"), 700);
      Drag(Bar(d, "TBUrov"), 900);
      Retype(Edit(d, "EBase"), "9");
      if (titleBar)
        d->close();
      else
        Press(d, "BtnCancel");
    }));
    // The zero codes before the dialog, when it shows, and after it.
    ASSERT_GE(first.size(), 2u);
    EXPECT_EQ(first[0], (FakeDevice::WriteEntry{0, 480, first[0].tick}));
    EXPECT_EQ(first[1], (FakeDevice::WriteEntry{1, 511, first[1].tick}));
    EXPECT_EQ(Outputs(), (std::vector<int16_t>{480, 511}));
    EXPECT_TRUE(host.ramps.empty());
    EXPECT_EQ(table.Offset, before.Offset);
    EXPECT_EQ(table.Base, before.Base);
    EXPECT_FALSE(Saved());
    device.ClearWrites();
  }
}

}  // namespace
