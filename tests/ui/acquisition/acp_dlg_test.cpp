#include "ui/acquisition/acp_dlg.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>

#include "settings_fixture.h"
#include "tests/ui/support/modal_driver.h"

namespace {

using tornel::testing::Child;
using tornel::testing::ClickBox;
using tornel::testing::OnNextModal;
using tornel::testing::Press;
using tornel::testing::Retype;

QLineEdit* Edit(QWidget* w, const char* name) { return Child<QLineEdit>(w, name); }
TACPDlg* Dialog(QWidget* w) {
  auto* dialog = qobject_cast<TACPDlg*>(w);
  EXPECT_NE(dialog, nullptr);
  return dialog;
}

class AcpDlgTest : public SettingsTest {
protected:
  // Runs the command with `user` at the dialog; what it returned.
  bool Run(std::function<void(TACPDlg*)> user) {
    OnNextModal([user](QWidget* w) { user(Dialog(w)); });
    return EditAcpSettings(host);
  }
};

TEST_F(AcpDlgTest, ShowsEveryCaptionAndTheChannelNamesInTwoColumns) {
  table.ChanName[2] = "I&U";
  table.ChanUnit[0] = "кА";
  Run([](TACPDlg* d) {
    EXPECT_EQ(d->windowTitle(), "Настройка АЦП");
    EXPECT_EQ(Child<QGroupBox>(d, "RGrChannel")->title(), "Каналы АЦП");
    EXPECT_EQ(Child<QGroupBox>(d, "RGrNastr")->title(), "Режим настройки");
    EXPECT_EQ(Child<QGroupBox>(d, "GroupBox1")->title(), "Параметры канала АЦП");
    EXPECT_EQ(Child<QGroupBox>(d, "GroupBox2")->title(), "Значение сигнала с АЦП");
    EXPECT_EQ(Child<QGroupBox>(d, "GroupBox3")->title(), "Смещение нуля");
    EXPECT_EQ(Child<QLabel>(d, "Label1")->text(), "Значение сигнала \nна стенде");
    EXPECT_EQ(Child<QLabel>(d, "Label2")->text(), "Базовое значение");
    EXPECT_EQ(Child<QCheckBox>(d, "ChBFilter")->text(), "Использовать фильтр");
    EXPECT_EQ(Child<QPushButton>(d, "BtnReset")->text(), "Обновить значение сигнала с АЦП");
    EXPECT_EQ(Child<QPushButton>(d, "BtnOffsetNull")->text(), "Определить уровень нуля");
    auto* save = Child<QPushButton>(d, "BtnSave");
    EXPECT_EQ(save->text(), "Сохранить параметры канала АЦП");
    EXPECT_TRUE(save->isDefault());
    EXPECT_EQ(Child<QPushButton>(d, "BtnOk")->text(), "Продолжить");
    EXPECT_EQ(Child<QPushButton>(d, "BtnCancel")->text(), "Отменить");
    EXPECT_EQ(d->ChannelItem(0)->text(), "Ica");
    EXPECT_EQ(d->ChannelItem(2)->text(), "I&&U");
    EXPECT_EQ(d->ChannelItem(15)->text(), "K16");
    EXPECT_TRUE(d->ChannelItem(0)->isChecked());
    EXPECT_EQ(d->ChannelItem(7)->x(), d->ChannelItem(0)->x());
    EXPECT_GT(d->ChannelItem(8)->x(), d->ChannelItem(7)->x());
    EXPECT_EQ(d->ModeItem(0)->text(), "По максимуму");
    EXPECT_EQ(d->ModeItem(1)->text(), "По данным с АЦП");
    EXPECT_TRUE(d->ModeItem(0)->isChecked());
    // Channel 1 as it is shown first: full scale, filtered by default.
    EXPECT_EQ(Edit(d, "EACP")->text(), "1.000");
    EXPECT_EQ(Edit(d, "EStand")->text(), "15.000");
    EXPECT_EQ(Edit(d, "EBase")->text(), "15.000");
    EXPECT_EQ(Edit(d, "EZero")->text(), "0");
    EXPECT_EQ(Edit(d, "EStandRazm")->text(), "кА");
    EXPECT_EQ(Edit(d, "EBaseRazm")->text(), "кА");
    EXPECT_TRUE(Child<QCheckBox>(d, "ChBFilter")->isChecked());
    EXPECT_TRUE(Edit(d, "EACP")->isReadOnly());
    Press(d, "BtnCancel");
  });
}

TEST_F(AcpDlgTest, ByMaximumTheTypedValueBecomesBaseAndReachesTheFileOnOk) {
  EXPECT_TRUE(Run([](TACPDlg* d) {
    ClickBox(d->ChannelItem(1));  // Uca
    Retype(Edit(d, "EStand"), "220");
    Retype(Edit(d, "EBase"), "380,5");
    Press(d, "BtnSave");
    EXPECT_EQ(Edit(d, "EACP")->text(), "1.000");
    EXPECT_EQ(Edit(d, "EStand")->text(), "220.000");
    EXPECT_EQ(Edit(d, "EBase")->text(), "380.500");
    Press(d, "BtnOk");
  }));
  EXPECT_EQ(table.Base[1], 220);
  EXPECT_EQ(table.RealBase[1], 380.5);
  EXPECT_EQ(Stored("Base", "ACP_Base2"), "220");
  EXPECT_EQ(Stored("real_Base", "ACP_Base2"), "380.5");
  EXPECT_EQ(device.TotalReads(), 0u);  // nothing is measured at full scale
}

TEST_F(AcpDlgTest, ByReadingMeasuresTheChannelAndScalesTheTypedValue) {
  device.SetConstant(4, 255);
  EXPECT_TRUE(Run([](TACPDlg* d) {
    ClickBox(d->ChannelItem(4));
    ClickBox(d->ModeItem(1));
    EXPECT_EQ(Edit(d, "EACP")->text(), "0.499");
    EXPECT_EQ(Edit(d, "EStand")->text(), "49.902");  // 255 / 511 of 100 Hz
    Retype(Edit(d, "EStand"), "100");
    Press(d, "BtnSave");
    Press(d, "BtnOk");
  }));
  EXPECT_NEAR(table.Base[4], 100.0 * 511 / 255, 1e-12);
  EXPECT_GE(device.ReadCount(4), 1000u);  // a second of reads for each showing
}

TEST_F(AcpDlgTest, TheFilterBoxTakesEffectAtOnceOnTheNextReading) {
  device.SetConstant(0, -255);
  EXPECT_TRUE(Run([](TACPDlg* d) {
    ClickBox(d->ModeItem(1));
    EXPECT_EQ(Edit(d, "EACP")->text(), "0.499");  // RMS: channel 1 is filtered
    ClickBox(Child<QCheckBox>(d, "ChBFilter"));
    Press(d, "BtnReset");
    EXPECT_EQ(Edit(d, "EACP")->text(), "-0.499");
    Press(d, "BtnOk");  // nothing stored, but the filter box was
  }));
  EXPECT_EQ(table.FilterMask, 14);
  EXPECT_EQ(table.Base[0], 15);
}

TEST_F(AcpDlgTest, OffsetNullingFillsTheZeroFieldThatOnlySaveStores) {
  device.SetConstant(3, -12);
  EXPECT_TRUE(Run([this](TACPDlg* d) {
    ClickBox(d->ChannelItem(3));
    Press(d, "BtnOffsetNull");
    EXPECT_EQ(Edit(d, "EZero")->text(), "12");
    EXPECT_EQ(d->Settings.AcpOffset[3], 0);
    EXPECT_EQ(device.ReadCount(3), 1000u);
    Press(d, "BtnSave");
    Press(d, "BtnOk");
  }));
  EXPECT_EQ(table.Offset[3], 12);
  EXPECT_EQ(Stored("Offset", "ACP_Offset4"), "12");
}

TEST_F(AcpDlgTest, AZeroCodeThatIsNoIntegerIsReportedAndStopsTheStoreThere) {
  QString message;
  EXPECT_TRUE(Run([&](TACPDlg* d) {
    Retype(Edit(d, "EBase"), "7");
    Retype(Edit(d, "EZero"), "abc");
    OnNextModal([&](QWidget* box) {
      message = qobject_cast<QMessageBox*>(box)->text();
      qobject_cast<QMessageBox*>(box)->accept();
    });
    Press(d, "BtnSave");
    EXPECT_EQ(Edit(d, "EZero")->text(), "abc");  // the fields are not reloaded
    Press(d, "BtnOk");
  }));
  EXPECT_EQ(message, "«abc» — не целое число");
  EXPECT_EQ(table.RealBase[0], 7);  // stored before the zero code
  EXPECT_EQ(table.Offset[0], 0);
}

TEST_F(AcpDlgTest, ChoosingAnotherChannelOrModeDropsUnsavedEdits) {
  Run([](TACPDlg* d) {
    Retype(Edit(d, "EStand"), "99");
    ClickBox(d->ChannelItem(5));
    ClickBox(d->ChannelItem(0));
    EXPECT_EQ(Edit(d, "EStand")->text(), "15.000");
    Retype(Edit(d, "EZero"), "5");
    ClickBox(d->ModeItem(1));
    EXPECT_EQ(Edit(d, "EZero")->text(), "0");
    Press(d, "BtnOk");
  });
  EXPECT_EQ(table.Base[0], 15);
  EXPECT_EQ(table.Offset[0], 0);
}

TEST_F(AcpDlgTest, CancelLeavesTheTableAndTheFileUntouched) {
  const tornel::ChannelTable before = table;
  EXPECT_FALSE(Run([](TACPDlg* d) {
    Retype(Edit(d, "EStand"), "220");
    Retype(Edit(d, "EZero"), "-3");
    ClickBox(Child<QCheckBox>(d, "ChBFilter"));
    Press(d, "BtnSave");
    Press(d, "BtnCancel");
  }));
  EXPECT_EQ(table.Base, before.Base);
  EXPECT_EQ(table.Offset, before.Offset);
  EXPECT_EQ(table.FilterMask, before.FilterMask);
  EXPECT_FALSE(Saved());
}

}  // namespace
