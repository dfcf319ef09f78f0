#include "ui/acquisition/per_dlg.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSlider>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <filesystem>

#include "core/device/simulated_bench.h"
#include "core/records/temp_file.h"
#include "core/text/number_text.h"
#include "tests/ui/support/modal_driver.h"
#include "transient_fixture.h"

namespace {

using tornel::testing::Child;
using tornel::testing::Click;
using tornel::testing::ClickBox;
using tornel::testing::FakeDevice;
using tornel::testing::OnNextModal;
using tornel::testing::Press;

QCheckBox* Box(QWidget* dialog, int number) {
  return Child<QCheckBox>(dialog, QStringLiteral("CheckBox%1").arg(number).toLatin1().constData());
}

QLineEdit* Edit(QWidget* dialog, const char* name) { return Child<QLineEdit>(dialog, name); }

QSlider* TrackBar(QWidget* dialog) { return Child<QSlider>(dialog, "TrackBar1"); }

void ClickTab(QWidget* dialog, int index) {
  auto* tabs = Child<QTabBar>(dialog, "TabControl1");
  QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(index).center());
}

// Automatic mode on and DAC 1 in use, as a user ticks them.
void DriveFirstDac(QWidget* dialog) {
  ClickBox(Child<QCheckBox>(dialog, "AutoModeBox"));
  ClickBox(Child<QCheckBox>(dialog, "UseCapBox"));
}

TEST_F(TransientTest, DialogShowsEveryCaptionAndTheChannelNames) {
  WriteConfig("[Наименования каналов ЦАП]\r\nlabel2=Задание скорости\r\nrazmern2=В\r\n");
  auto dialog = ShownDialog(Form());
  EXPECT_EQ(dialog->windowTitle(), "Переходный процесс");
  EXPECT_EQ(Child<QGroupBox>(dialog.get(), "AcpGroup")->title(), "Каналы АЦП");
  EXPECT_EQ(Box(dialog.get(), 1)->text(), "Ica");
  EXPECT_EQ(Box(dialog.get(), 6)->text(), "W");
  EXPECT_EQ(Box(dialog.get(), 16)->text(), "K16");
  EXPECT_EQ(Child<QGroupBox>(dialog.get(), "DurationGroup")->title(),
            "Длительность переходного процесса, с");
  EXPECT_EQ(Edit(dialog.get(), "DurationEdit")->text(), "1.000");
  EXPECT_EQ(Child<QCheckBox>(dialog.get(), "AutoModeBox")->text(), "Автоматический режим");
  EXPECT_EQ(Child<QCheckBox>(dialog.get(), "StendStartBox")->text(), "Запуск программы со стенда");
  EXPECT_TRUE(Child<QCheckBox>(dialog.get(), "StendStartBox")->isChecked());
  auto* tabs = Child<QTabBar>(dialog.get(), "TabControl1");
  ASSERT_EQ(tabs->count(), 2);
  EXPECT_EQ(tabs->tabText(0), "M");
  EXPECT_EQ(tabs->tabText(1), "Задание скорости");
  EXPECT_EQ(Child<QGroupBox>(dialog.get(), "AutoGroup")->title(), "Автоматический режим");
  EXPECT_EQ(Child<QCheckBox>(dialog.get(), "UseCapBox")->text(), "Использовать данный ЦАП");
  EXPECT_EQ(Child<QGroupBox>(dialog.get(), "SignalGroup")->title(), "Настройка сигнала задания");
  EXPECT_EQ(Edit(dialog.get(), "UnitEdit")->text(), "Н*м");
  EXPECT_TRUE(Edit(dialog.get(), "ValueEdit")->isReadOnly());
  EXPECT_TRUE(Edit(dialog.get(), "UnitEdit")->isReadOnly());
  EXPECT_EQ(Child<QPushButton>(dialog.get(), "TestButton")->text(), "Тест");
  EXPECT_EQ(Child<QPushButton>(dialog.get(), "ResetButton")->text(), "Сброс");
  auto* ok = Child<QPushButton>(dialog.get(), "OkButton");
  EXPECT_EQ(ok->text(), "Продолжить");
  EXPECT_TRUE(ok->isDefault());
  EXPECT_EQ(Child<QPushButton>(dialog.get(), "CancelButton")->text(), "Отменить");
  EXPECT_FALSE(Child<QPushButton>(dialog.get(), "StartButton")->isVisible());
  auto* timer = dialog->findChild<QTimer*>("TimerBg");
  ASSERT_NE(timer, nullptr);
  EXPECT_EQ(timer->interval(), 1);
  EXPECT_TRUE(timer->isActive());
  ClickTab(dialog.get(), 1);
  EXPECT_EQ(Edit(dialog.get(), "UnitEdit")->text(), "В");
}

TEST_F(TransientTest, ShowingAndClosingTheDialogZeroTheDacs) {
  WriteConfig("[Offset]\r\nCAP_Offset1=480\r\n");
  TMainForm& f = Form();
  device.ClearWrites();
  auto dialog = ShownDialog(f);
  EXPECT_EQ(device.Writes(), (std::vector<FakeDevice::WriteEntry>{{0, 480, 0}, {1, 511, 0}}));
  device.ClearWrites();
  Press(dialog.get(), "CancelButton");
  EXPECT_EQ(dialog->result(), QDialog::Rejected);
  EXPECT_EQ(device.Writes(), (std::vector<FakeDevice::WriteEntry>{{0, 480, 0}, {1, 511, 0}}));
}

TEST_F(TransientTest, TrackBarSpansFromMinusTheZeroCodeOver1022Codes) {
  WriteConfig("[Offset]\r\nCAP_Offset2=500\r\n");
  auto dialog = ShownDialog(Form());
  EXPECT_EQ(TrackBar(dialog.get())->minimum(), -511);
  EXPECT_EQ(TrackBar(dialog.get())->maximum(), 511);
  ClickTab(dialog.get(), 1);
  EXPECT_EQ(TrackBar(dialog.get())->minimum(), -500);
  EXPECT_EQ(TrackBar(dialog.get())->maximum(), 522);
}

class SeparatorScope {
public:
  explicit SeparatorScope(char separator) : old_(tornel::SystemDecimalSeparator()) {
    tornel::SetSystemDecimalSeparator(separator);
  }
  ~SeparatorScope() { tornel::SetSystemDecimalSeparator(old_); }

private:
  char old_;
};

TEST_F(TransientTest, PhysicalValueFollowsTheTrackBarInTheUsersNotation) {
  SeparatorScope comma(',');
  WriteConfig(
      "[Переходный процесс (defaults)]\r\nВеличина сигнала ЦАП №1=255\r\n"
      "Автоматический режим=1\r\nМаска каналов ЦАП=1\r\n");
  auto dialog = ShownDialog(Form());
  QSlider* bar = TrackBar(dialog.get());
  EXPECT_EQ(bar->value(), 255);
  EXPECT_EQ(Edit(dialog.get(), "ValueEdit")->text(), "0,499");  // 255 / 511 x 1.0
  bar->setFocus();
  QTest::keyClick(bar, Qt::Key_Right);
  EXPECT_EQ(Edit(dialog.get(), "ValueEdit")->text(), "0,501");  // 256 / 511
  Press(dialog.get(), "ResetButton");
  EXPECT_EQ(bar->value(), 0);
  EXPECT_EQ(Edit(dialog.get(), "ValueEdit")->text(), "0,000");
}

TEST_F(TransientTest, AmplitudeFarOutOfRangeInTheFileStopsAtTheTrackBarsEnd) {
  WriteConfig(
      "[Переходный процесс (defaults)]\r\nВеличина сигнала ЦАП №1=1e300\r\n"
      "Величина сигнала ЦАП №2=-1e300\r\n");
  auto dialog = ShownDialog(Form());
  EXPECT_EQ(TrackBar(dialog.get())->value(), 511);
  ClickTab(dialog.get(), 1);
  EXPECT_EQ(TrackBar(dialog.get())->value(), -511);
}

TEST_F(TransientTest, TypedNumbersAreReadLeniently) {
  struct Case {
    const char* typed;
    double value;
  };
  for (const Case& c : {Case{"0,25", 0.25}, Case{"1.5s", 1.5}, Case{"abc", 0.0}}) {
    std::filesystem::remove(dir.File("Tornel.ini"));  // each case from the defaults
    auto dialog = ShownDialog(Form());
    DriveFirstDac(dialog.get());
    Retype(Edit(dialog.get(), "DelayEdit"), c.typed);
    Retype(Edit(dialog.get(), "RiseTimeEdit"), c.typed);
    Retype(Edit(dialog.get(), "DurationEdit"), c.typed);
    ClickTab(dialog.get(), 1);  // leaving the tab stores it
    EXPECT_EQ(dialog->Settings.Delay[0], c.value) << c.typed;
    EXPECT_EQ(dialog->Settings.RiseTime[0], c.value) << c.typed;
    dialog->SaveDefaults();
    EXPECT_EQ(dialog->Settings.Duration, c.value) << c.typed;
    Press(dialog.get(), "CancelButton");
  }
}

TEST_F(TransientTest, SignalControlsNeedAutomaticModeAndTheDacInUse) {
  auto dialog = ShownDialog(Form());
  auto* automatic = Child<QCheckBox>(dialog.get(), "AutoModeBox");
  auto* use = Child<QCheckBox>(dialog.get(), "UseCapBox");
  const char* signalControls[] = {"DelayEdit", "RiseTimeEdit", "ValueEdit", "UnitEdit"};
  auto signalEnabled = [&] {
    bool all = TrackBar(dialog.get())->isEnabled() &&
               Child<QPushButton>(dialog.get(), "TestButton")->isEnabled() &&
               Child<QPushButton>(dialog.get(), "ResetButton")->isEnabled();
    bool any = TrackBar(dialog.get())->isEnabled();
    for (const char* name : signalControls) {
      all = all && Edit(dialog.get(), name)->isEnabled();
      any = any || Edit(dialog.get(), name)->isEnabled();
    }
    EXPECT_EQ(all, any) << "some signal controls differ";
    return all;
  };
  EXPECT_FALSE(use->isEnabled());
  EXPECT_FALSE(signalEnabled());
  ClickBox(automatic);
  EXPECT_TRUE(use->isEnabled());
  EXPECT_FALSE(signalEnabled());
  ClickBox(use);
  EXPECT_TRUE(signalEnabled());
  ClickBox(automatic);
  EXPECT_FALSE(use->isEnabled());
  EXPECT_FALSE(signalEnabled());
}

TEST_F(TransientTest, EachTabKeepsItsOwnSignal) {
  auto dialog = ShownDialog(Form());
  DriveFirstDac(dialog.get());
  Retype(Edit(dialog.get(), "DelayEdit"), "0.5");
  TrackBar(dialog.get())->setValue(-300);
  ClickTab(dialog.get(), 1);
  EXPECT_FALSE(Child<QCheckBox>(dialog.get(), "UseCapBox")->isChecked());
  EXPECT_EQ(TrackBar(dialog.get())->value(), 0);
  EXPECT_EQ(Edit(dialog.get(), "DelayEdit")->text(), "0.000");
  ClickTab(dialog.get(), 0);
  EXPECT_TRUE(Child<QCheckBox>(dialog.get(), "UseCapBox")->isChecked());
  EXPECT_EQ(TrackBar(dialog.get())->value(), -300);
  EXPECT_EQ(Edit(dialog.get(), "DelayEdit")->text(), "0.500");
  EXPECT_EQ(dialog->Settings.CapMask, 1);
  EXPECT_EQ(dialog->Settings.Amplitude[0], -300.0);
}

TEST_F(TransientTest, TestButtonOutputsTheShownAmplitudeWhileHeld) {
  WriteConfig("[Offset]\r\nCAP_Offset1=500\r\n");
  auto dialog = ShownDialog(Form());
  DriveFirstDac(dialog.get());
  TrackBar(dialog.get())->setValue(100);  // not yet stored for the tab
  auto* test = Child<QPushButton>(dialog.get(), "TestButton");
  device.ClearWrites();
  QTest::mousePress(test, Qt::LeftButton);
  EXPECT_EQ(device.Writes(), (std::vector<FakeDevice::WriteEntry>{{0, 600, 0}}));
  QTest::mouseRelease(test, Qt::LeftButton);
  EXPECT_EQ(device.Writes(),
            (std::vector<FakeDevice::WriteEntry>{{0, 600, 0}, {0, 500, 0}, {1, 511, 0}}));
}

TEST_F(TransientTest, DefaultsFillTheControlsAndGoBackWithSignedMasks) {
  WriteConfig(
      "[Переходный процесс (defaults)]\r\n"
      "Время переходного процесса=2.5\r\n"
      "Величина сигнала ЦАП №2=-120\r\n"
      "Задержка сигнала ЦАП №2=0.75\r\n"
      "Маска каналов АЦП=-32768\r\n"
      "Маска каналов ЦАП=2\r\n"
      "Автоматический режим=1\r\n"
      "Управление со стенда=0\r\n");
  auto dialog = ShownDialog(Form());
  for (int k = 1; k <= 16; ++k) EXPECT_EQ(Box(dialog.get(), k)->isChecked(), k == 16) << k;
  EXPECT_EQ(Edit(dialog.get(), "DurationEdit")->text(), "2.500");
  EXPECT_TRUE(Child<QCheckBox>(dialog.get(), "AutoModeBox")->isChecked());
  EXPECT_FALSE(Child<QCheckBox>(dialog.get(), "StendStartBox")->isChecked());
  EXPECT_FALSE(Child<QCheckBox>(dialog.get(), "UseCapBox")->isChecked());
  ClickTab(dialog.get(), 1);
  EXPECT_TRUE(Child<QCheckBox>(dialog.get(), "UseCapBox")->isChecked());
  EXPECT_EQ(TrackBar(dialog.get())->value(), -120);
  EXPECT_EQ(Edit(dialog.get(), "DelayEdit")->text(), "0.750");

  ClickBox(Box(dialog.get(), 1));
  Retype(Edit(dialog.get(), "RiseTimeEdit"), "0.2");
  dialog->SaveDefaults();
  EXPECT_EQ(ReadConfig(),
            "[Переходный процесс (defaults)]\r\n"
            "Время переходного процесса=2.5\r\n"
            "Величина сигнала ЦАП №2=-120\r\n"
            "Задержка сигнала ЦАП №2=0.75\r\n"
            "Маска каналов АЦП=-32767\r\n"
            "Маска каналов ЦАП=2\r\n"
            "Автоматический режим=1\r\n"
            "Управление со стенда=0\r\n"
            "Величина сигнала ЦАП №1=0\r\n"
            "Задержка сигнала ЦАП №1=0\r\n"
            "Время нарастания сигнала ЦАП №1=0\r\n"
            "Время нарастания сигнала ЦАП №2=0.2\r\n");
}

TEST_F(TransientTest, ContinueRecordsTheWholeDurationThenClosesWithOk) {
  WriteConfig("[Приоритеты процессов]\r\nScanPriorityClass=128\r\nScanThreadPriority=2\r\n");
  auto dialog = ShownDialog(Form());
  ClickBox(Box(dialog.get(), 1));
  ClickBox(Box(dialog.get(), 3));
  DriveFirstDac(dialog.get());
  TrackBar(dialog.get())->setValue(100);
  Retype(Edit(dialog.get(), "DurationEdit"), "0,050");
  device.SetConstant(0, 11);
  device.SetConstant(2, 33);
  priority.calls.clear();
  Press(dialog.get(), "OkButton");
  EXPECT_EQ(dialog->result(), QDialog::Accepted);
  EXPECT_FALSE(dialog->isVisible());
  ASSERT_NE(dialog->Thread, nullptr);
  EXPECT_TRUE(dialog->Thread->isFinished());
  EXPECT_EQ(dialog->Thread->Result.Count, 50);
  EXPECT_EQ(dialog->Thread->Result.Elapsed, 50u);
  EXPECT_EQ(dialog->Settings.AcpMask, 0x0005);
  std::string bytes = tornel::testing::ReadBytes(dialog->FileName);
  ASSERT_EQ(bytes.size(), 50u * 6u);
  // The first scan is before the step, the second after it.
  EXPECT_EQ(bytes.substr(0, 12),
            std::string("\x0B\x00\x21\x00\x00\x00\x0B\x00\x21\x00\x64\x00", 12));
  EXPECT_EQ(device.LastCode(0), 511);
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
  EXPECT_FALSE(Child<QPushButton>(dialog.get(), "StartButton")->isEnabled());
  EXPECT_EQ(priority.calls,
            (std::vector<std::string>{"class 128", "thread 2", "class 32", "thread 0"}));
}

TEST_F(TransientTest, AutomaticModeOffDrivesNoDac) {
  WriteConfig(
      "[Переходный процесс (defaults)]\r\nВеличина сигнала ЦАП №1=300\r\n"
      "Маска каналов ЦАП=3\r\nМаска каналов АЦП=1\r\nВремя переходного процесса=0.02\r\n");
  auto dialog = ShownDialog(Form());
  device.ClearWrites();
  Press(dialog.get(), "OkButton");
  EXPECT_EQ(dialog->result(), QDialog::Accepted);
  EXPECT_EQ(dialog->Thread->Request.CapMask, 0);
  EXPECT_FALSE(dialog->Thread->Request.DriveCap);
  // Zero codes at the start of the scans and when the dialog closes, nothing else.
  for (const FakeDevice::WriteEntry& w : device.Writes()) EXPECT_EQ(w.code, 511);
  EXPECT_EQ(tornel::testing::ReadBytes(dialog->FileName).size(), 20u * 2u);
}

TEST_F(TransientTest, BenchStartRunsOnceAndTellsTheNumberOfScans) {
  WriteConfig(
      "[Переходный процесс (defaults)]\r\nВремя переходного процесса=1.234\r\n"
      "Маска каналов АЦП=1\r\nУправление со стенда=1\r\n");
  device.SetConstant(15, 600);  // the start button held
  QString message;
  int messages = 0;
  OnNextModal([&](QWidget* w) {
    auto* box = qobject_cast<QMessageBox*>(w);
    ASSERT_NE(box, nullptr);
    message = box->text();
    ++messages;
    // Still held: the timer must not start another run meanwhile.
    QTest::qWait(20);
    box->button(QMessageBox::Ok)->click();
  });
  auto dialog = ShownDialog(Form());
  ASSERT_TRUE(QTest::qWaitFor([&] { return !dialog->isVisible(); }, 5000));
  EXPECT_EQ(message, "Считано 1234 точки");
  EXPECT_EQ(messages, 1);
  EXPECT_EQ(dialog->result(), QDialog::Accepted);
  EXPECT_EQ(dialog->Thread->Result.Count, 1234);
  EXPECT_EQ(device.ReadCount(0), 1234u);
}

TEST_F(TransientTest, OnTheModelTheDialogOffersTheBenchButtonTheStatusBarCannot) {
  WriteConfig(
      "[Переходный процесс (defaults)]\r\nВремя переходного процесса=0.05\r\n"
      "Маска каналов АЦП=32\r\n");
  tornel::SimulatedBench bench(clock);
  AppEnvironment env;
  env.device = &bench;
  env.bench = &bench;
  env.clock = &clock;
  env.priority = &priority;
  env.configPath = QString::fromStdString(dir.File("Tornel.ini"));
  TMainForm modelForm(env);
  QString message;
  AnswerMessage(message);
  auto dialog = ShownDialog(modelForm);
  auto* button = Child<QPushButton>(dialog.get(), "StendButton");
  EXPECT_EQ(button->text(), "Кнопка стенда");
  QTest::mousePress(button, Qt::LeftButton);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !dialog->isVisible(); }, 5000));
  // The model reads the clock at each conversion too: 2 ms a scan.
  EXPECT_EQ(message, "Считано 25 точек");
  EXPECT_FALSE(bench.StartButton());  // let go when the dialog closed
}

TEST_F(TransientTest, WithoutTheModelThereIsNoBenchButton) {
  auto dialog = ShownDialog(Form());
  EXPECT_EQ(dialog->findChild<QPushButton*>("StendButton"), nullptr);
}

TEST_F(TransientTest, BenchSignalIsIgnoredWhileStartFromTheBenchIsOff) {
  WriteConfig("[Переходный процесс (defaults)]\r\nУправление со стенда=0\r\n");
  device.SetConstant(15, 600);
  auto dialog = ShownDialog(Form());
  QTest::qWait(20);
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_EQ(dialog->Thread, nullptr);
  EXPECT_EQ(device.ReadCount(15), 0u);
}

TEST_F(TransientTest, CancelBeforeAnyRunLeavesNoFileAndTouchesNoOther) {
  tornel::testing::WriteBytes(TempFolder() + "/Trn1", "someone else's");
  auto dialog = ShownDialog(Form());
  std::string reserved = dialog->FileName;
  EXPECT_TRUE(std::filesystem::exists(reserved));
  Press(dialog.get(), "CancelButton");
  EXPECT_EQ(dialog->result(), QDialog::Rejected);
  EXPECT_EQ(dialog->Thread, nullptr);
  EXPECT_EQ(TempFiles(), std::vector<std::string>{"Trn1"});
}

TEST_F(TransientTest, RawFileThatCannotBeCreatedIsReportedAndTheDialogStaysOpen) {
  tornel::testing::WriteBytes(dir.File("plain"), "x");
  auto dialog = ShownDialog(Form());
  ClickBox(Box(dialog.get(), 1));
  dialog->FileName = dir.File("plain") + "/Trn5";
  QString message;
  AnswerMessage(message);
  Press(dialog.get(), "OkButton");
  EXPECT_EQ(message,
            QString::fromStdString("Не удалось создать файл " + dir.File("plain") + "/Trn5"));
  EXPECT_TRUE(dialog->isVisible());
  EXPECT_EQ(device.ReadCount(0), 0u);
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);
  Press(dialog.get(), "CancelButton");
  EXPECT_EQ(dialog->result(), QDialog::Rejected);
}

TEST_F(TransientTest, FullDiskTellsHowManyScansWereKeptAndTheRecordStillOpens) {
  auto dialog = ShownDialog(Form());
  ClickBox(Box(dialog.get(), 1));
  Retype(Edit(dialog.get(), "DurationEdit"), "0.1");
  std::string reserved = dialog->FileName;
  dialog->FileName = "/dev/full";
  QString message;
  AnswerMessage(message);
  Press(dialog.get(), "OkButton");
  EXPECT_EQ(message, "Не удалось записать файл /dev/full\nСохранено 0 точек.");
  EXPECT_EQ(dialog->result(), QDialog::Accepted);
  EXPECT_EQ(dialog->Thread->Result.Count, 0);
  EXPECT_EQ(dialog->Thread->Result.Outcome, tornel::ScanOutcome::WriteFailed);
  dialog.reset();
  EXPECT_TRUE(std::filesystem::exists("/dev/full"));  // a device is never deleted
  tornel::RemoveFileIfExists(reserved);
}

}  // namespace
