#include "ui/app/transient_flow.h"

#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMessageBox>
#include <QSlider>
#include <QTabBar>
#include <QTest>
#include <filesystem>

#include "core/records/dta_info.h"
#include "core/records/graph_record.h"
#include "tests/core/records/summary_check.h"
#include "tests/support/file_size_limit.h"
#include "tests/ui/support/modal_driver.h"
#include "transient_fixture.h"
#include "ui/acquisition/per_dlg.h"
#include "ui/app/text_form.h"
#include "ui/graph/graph_frm.h"

namespace {

using tornel::testing::Child;
using tornel::testing::ClickBox;
using tornel::testing::FileSizeLimit;
using tornel::testing::OnNextModal;
using tornel::testing::Press;

const char* kDescription = "{\\rtf1\\ansi\\ansicpg1251 \\'ce\\'ef\\'fb\\'f2\\par}";

class TransientFlowTest : public TransientTest {
protected:
  TransientFlowTest() {
    std::filesystem::create_directories(dir.File("Text"));
    tornel::testing::WriteBytes(dir.File("Text") + "/PerehDoc.rtf", kDescription);
    // Every conversion of ADC 1 takes 2 ms on top of the clock's own step.
    device.SetReadHook([this](int16_t channel) {
      if (channel == 0) clock.Advance(2);
    });
  }

  // Runs the command as the menu does: the description is confirmed, then
  // `setUp` fills in the dialog and ends it.
  void RunCommand(const std::function<void(TPerDlg*)>& setUp) {
    OnNextModal([setUp](QWidget* description) {
      ASSERT_NE(qobject_cast<TTextForm*>(description), nullptr);
      OnNextModal([setUp](QWidget* w) {
        auto* dialog = qobject_cast<TPerDlg*>(w);
        ASSERT_NE(dialog, nullptr) << w->metaObject()->className();
        setUp(dialog);
      });
      Press(description, "OkButton");
    });
    Form().Action("APerehHar")->trigger();
  }

  QList<QMdiSubWindow*> Children() { return Form().MdiArea()->subWindowList(); }
};

TEST_F(TransientFlowTest, ResultOpensInANumberedGraphWindowWithTheRecordFilled) {
  for (int i = 0; i < 3; ++i) Form().AddChild(new QWidget);
  std::string rawFile;
  RunCommand([&](TPerDlg* dialog) {
    ClickBox(Child<QCheckBox>(dialog, "CheckBox1"));
    ClickBox(Child<QCheckBox>(dialog, "CheckBox3"));
    ClickBox(Child<QCheckBox>(dialog, "AutoModeBox"));
    ClickBox(Child<QCheckBox>(dialog, "UseCapBox"));
    Child<QSlider>(dialog, "TrackBar1")->setValue(200);
    Retype(Child<QLineEdit>(dialog, "DurationEdit"), "0,3");
    rawFile = dialog->FileName;
    Press(dialog, "OkButton");
  });
  QList<QMdiSubWindow*> windows = Children();
  ASSERT_EQ(windows.size(), 4);
  auto* graph = qobject_cast<TGraphFrm*>(windows.back()->widget());
  ASSERT_NE(graph, nullptr);
  EXPECT_EQ(graph->windowTitle(), "Переходная характеристика 4");
  const tornel::TGraphRecord& r = graph->Record();
  // 3 ms a scan: 100 scans in 300 ms.
  EXPECT_DOUBLE_EQ(r.Duration, 0.3);
  EXPECT_DOUBLE_EQ(r.TMax, 0.3);
  EXPECT_EQ(r.AcpMask, 0x0005);
  EXPECT_EQ(r.CapMask, 0x0001);
  EXPECT_EQ(r.AcpShowMask, 0x0005);
  EXPECT_EQ(r.CapShowMask, 0);
  EXPECT_EQ(r.OrigFile, rawFile);
  EXPECT_EQ(r.SampleFile, rawFile);
  EXPECT_EQ(r.FilteredFile, rawFile + "f");
  EXPECT_EQ(r.RecChannelCount, 3);
  EXPECT_EQ(r.FrameCount, 100.0);
  EXPECT_EQ(std::filesystem::file_size(rawFile), 100u * 6u);
  // Handed over from the recording, before the window has drawn anything.
  EXPECT_TRUE(tornel::testing::MatchesItsFile(r.Summaries.Find<int16_t>(rawFile, 3), rawFile, 3));
  EXPECT_NE(ReadConfig().find("Маска каналов АЦП=5\r\n"), std::string::npos);
  EXPECT_NE(ReadConfig().find("Автоматический режим=1\r\n"), std::string::npos);
}

TEST_F(TransientFlowTest, AutomaticModeOffGivesARecordWithoutDacChannels) {
  WriteConfig("[Переходный процесс (defaults)]\r\nМаска каналов ЦАП=3\r\n");
  RunCommand([&](TPerDlg* dialog) {
    ClickBox(Child<QCheckBox>(dialog, "CheckBox6"));
    Retype(Child<QLineEdit>(dialog, "DurationEdit"), "0.03");
    Press(dialog, "OkButton");
  });
  ASSERT_EQ(Children().size(), 1);
  auto* graph = qobject_cast<TGraphFrm*>(Children().back()->widget());
  ASSERT_NE(graph, nullptr);
  EXPECT_EQ(graph->Record().CapMask, 0);
  EXPECT_EQ(graph->Record().RecChannelCount, 1);
  EXPECT_EQ(graph->Record().FrameCount, 30.0);  // ADC 6 converts at once: 1 ms a scan
}

TEST_F(TransientFlowTest, DacMaskBeyondTheDacsInUseStaysOutOfTheRecord) {
  // DAC 3 is ticked in the file but not in use: the scans do not hold it.
  WriteConfig(
      "[Переходный процесс (defaults)]\r\nМаска каналов ЦАП=7\r\nАвтоматический режим=1\r\n"
      "Маска каналов АЦП=1\r\nВремя переходного процесса=0.03\r\n");
  RunCommand([&](TPerDlg* dialog) { Press(dialog, "OkButton"); });
  ASSERT_EQ(Children().size(), 1);
  const tornel::TGraphRecord& r = qobject_cast<TGraphFrm*>(Children().back()->widget())->Record();
  EXPECT_EQ(r.CapMask, 0x0003);
  EXPECT_EQ(r.RecChannelCount, 3);
  EXPECT_EQ(r.FrameCount, 10.0);
}

TEST_F(TransientFlowTest, NoAdcChannelClosesWithOkButOpensNoWindowAndLeavesNoFile) {
  std::string rawFile;
  bool accepted = false;
  RunCommand([&](TPerDlg* dialog) {
    rawFile = dialog->FileName;
    Retype(Child<QLineEdit>(dialog, "DurationEdit"), "0.03");
    Press(dialog, "OkButton");
    accepted = dialog->result() == QDialog::Accepted;
  });
  EXPECT_TRUE(accepted);
  EXPECT_TRUE(Children().isEmpty());
  EXPECT_FALSE(std::filesystem::exists(rawFile));
  EXPECT_TRUE(TempFiles().empty());
}

TEST_F(TransientFlowTest, CancelOpensNothingAndLeavesNoFile) {
  RunCommand([&](TPerDlg* dialog) {
    ClickBox(Child<QCheckBox>(dialog, "CheckBox1"));
    Press(dialog, "CancelButton");
  });
  EXPECT_TRUE(Children().isEmpty());
  EXPECT_TRUE(TempFiles().empty());
  EXPECT_EQ(ReadConfig().find("Маска каналов АЦП"), std::string::npos);
}

TEST_F(TransientFlowTest, FullDiskStillOpensTheScansThatWereKept) {
  QString message;
  RunCommand([&](TPerDlg* dialog) {
    ClickBox(Child<QCheckBox>(dialog, "CheckBox1"));
    Retype(Child<QLineEdit>(dialog, "DurationEdit"), "3");
    AnswerMessage(message);
    FileSizeLimit limit(1000);  // 500 of the 1000 scans
    Press(dialog, "OkButton");
  });
  ASSERT_EQ(Children().size(), 1);
  const tornel::TGraphRecord& r = qobject_cast<TGraphFrm*>(Children().back()->widget())->Record();
  EXPECT_EQ(message, QString::fromStdString("Не удалось записать файл " + r.OrigFile) +
                         "\nСохранено 500 точек.");
  EXPECT_EQ(r.FrameCount, 500.0);
  EXPECT_DOUBLE_EQ(r.Duration, 1.5);  // half the scans, half the time
}

TEST_F(TransientFlowTest, CardDyingMidRunStopsItAndTheScansSoFarOpenAndSave) {
  QString message;
  RunCommand([&](TPerDlg* dialog) {
    ClickBox(Child<QCheckBox>(dialog, "CheckBox1"));
    Retype(Child<QLineEdit>(dialog, "DurationEdit"), "3");
    AnswerMessage(message);
    // Counted from here: the dialog has been polling the bench's start input.
    device.FailAfterReads(device.TotalReads() + 250, "No such device");
    Press(dialog, "OkButton");
  });
  EXPECT_EQ(message,
            "Ошибка платы сбора данных (тестовое устройство, АЦП 1): No such device\n"
            "Сохранено 250 точек.");
  ASSERT_EQ(Children().size(), 1);
  const tornel::TGraphRecord& r = qobject_cast<TGraphFrm*>(Children().back()->widget())->Record();
  EXPECT_EQ(r.FrameCount, 250.0);
  EXPECT_DOUBLE_EQ(r.Duration, 0.75);  // 3 ms a scan, not the 3 s asked for
  r.SaveDta(dir.File("dead.dta"));
  EXPECT_EQ(tornel::ReadDtaInfo(dir.File("dead.dta")).FrameCount, 250);
}

TEST_F(TransientFlowTest, DefaultsThatCannotBeSavedDoNotCostTheRecording) {
  WriteConfig("[Переходный процесс (defaults)]\r\nМаска каналов АЦП=1\r\n");
  std::filesystem::permissions(dir.File("Tornel.ini"), std::filesystem::perms::owner_read |
                                                           std::filesystem::perms::group_read |
                                                           std::filesystem::perms::others_read);
  QString message;
  RunCommand([&](TPerDlg* dialog) {
    Retype(Child<QLineEdit>(dialog, "DurationEdit"), "0.03");
    AnswerMessage(message);
    Press(dialog, "OkButton");
  });
  EXPECT_EQ(message, QString::fromStdString("Не удалось записать файл " + dir.File("Tornel.ini")));
  ASSERT_EQ(Children().size(), 1);
  EXPECT_EQ(qobject_cast<TGraphFrm*>(Children().back()->widget())->Record().FrameCount, 10.0);
}

}  // namespace
