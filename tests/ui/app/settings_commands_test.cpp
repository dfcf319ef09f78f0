#include <QAction>
#include <QDialog>
#include <QLineEdit>
#include <QSlider>
#include <filesystem>

#include "main_form_fixture.h"
#include "tests/ui/support/modal_driver.h"
#include "ui/acquisition/acp_dlg.h"
#include "ui/acquisition/cap_dlg.h"
#include "ui/config/main_nastr.h"

namespace {

using tornel::testing::Child;
using tornel::testing::FakeDevice;
using tornel::testing::Press;
using tornel::testing::Retype;

TEST_F(MainFormTest, EachSettingsCommandOpensItsDialogAndCancelWritesNoFile) {
  TMainForm& f = Form();
  struct Case {
    const char* action;
    const char* dialogClass;
  };
  for (const Case& c : {Case{"ANastrACP", "TACPDlg"}, Case{"ANastrCAP", "TCAPDlg"},
                        Case{"AParams", "TMainNastr"}}) {
    QString opened;
    tornel::testing::ModalAnswers watcher([&](QWidget* w) {
      opened = QString::fromLatin1(w->metaObject()->className());
      Press(w, "BtnCancel");
    });
    f.Action(c.action)->trigger();
    EXPECT_EQ(opened, c.dialogClass) << c.action;
  }
  EXPECT_FALSE(std::filesystem::exists(dir.File("Tornel.ini")));
}

TEST_F(MainFormTest, DacSettingsOkSavesTheMainTableAndLeavesTheDacsAtTheNewZero) {
  WriteConfig("[Offset]\r\nCAP_Offset1=480\r\n");
  TMainForm& f = Form();
  clock.SetAutoAdvance(1);  // the ramp back to zero takes time
  device.ClearWrites();
  std::vector<FakeDevice::WriteEntry> atOpen;
  tornel::testing::ModalAnswers watcher([&](QWidget* w) {
    atOpen = device.Writes();
    Child<QSlider>(w, "TBOffset")->setValue(490);
    Child<QSlider>(w, "TBUrov")->setValue(590);
    Retype(Child<QLineEdit>(w, "EBase"), "2");
    Press(w, "BtnOk");
  });
  f.Action("ANastrCAP")->trigger();
  ASSERT_GE(atOpen.size(), 2u);
  EXPECT_EQ(atOpen[0].code, 480);  // zeroed before the dialog
  EXPECT_EQ(f.Channels().Offset[16], 490);
  EXPECT_NEAR(f.Channels().Base[16], 2.0 * 511 / 100, 1e-12);
  EXPECT_NE(ReadConfig().find("CAP_Offset1=490"), std::string::npos);
  EXPECT_EQ(device.LastCode(0), 490);
  EXPECT_EQ(device.LastCode(1), 511);
}

}  // namespace
