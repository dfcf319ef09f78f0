#include "ui/config/main_nastr.h"

#include <QAbstractButton>
#include <QButtonGroup>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

#include "core/config/profile_file.h"
#include "core/text/number_text.h"
#include "tests/support/temp_dir.h"
#include "tests/ui/support/modal_driver.h"

namespace {

using tornel::testing::Child;
using tornel::testing::ClickBox;
using tornel::testing::OnNextModal;
using tornel::testing::Press;
using tornel::testing::Retype;

class MainNastrTest : public ::testing::Test {
protected:
  MainNastrTest() { table.ConfigPath = dir.File("Tornel.ini"); }
  bool Run(std::function<void(TMainNastr*)> user) {
    OnNextModal([user](QWidget* w) {
      auto* dialog = qobject_cast<TMainNastr*>(w);
      ASSERT_NE(dialog, nullptr);
      user(dialog);
    });
    return EditParams(table, nullptr);
  }
  std::string Stored(const std::string& section, const std::string& key) const {
    return tornel::ProfileFile(table.ConfigPath).ReadString(section, key, "?");
  }

  tornel::testing::TempDir dir;
  tornel::ChannelTable table;
};

TEST_F(MainNastrTest, ShowsTheFourPagesTheChannelsAndThePriorityGroups) {
  Run([](TMainNastr* d) {
    EXPECT_EQ(d->windowTitle(), "Параметры");
    QTabWidget* pages = d->Pages();
    ASSERT_EQ(pages->count(), 4);
    EXPECT_EQ(pages->tabText(0), "Наименования каналов АЦП");
    EXPECT_EQ(pages->tabText(1), "Наименования каналов ЦАП");
    EXPECT_EQ(pages->tabText(2), "Приоритеты процессов");
    EXPECT_EQ(pages->tabText(3), "Сигналы");
    EXPECT_EQ(pages->currentIndex(), 0);
    EXPECT_EQ(d->NameEdit(0)->text(), "Ica");
    EXPECT_EQ(d->UnitEdit(9)->text(), "А");
    EXPECT_EQ(d->NameEdit(18)->text(), "Пар.порт");
    for (int slot = 0; slot < 32; ++slot) {
      const bool editable = slot < 20;  // every ADC, DAC 1-4
      EXPECT_EQ(d->NameEdit(slot)->isEnabled(), editable) << slot;
      EXPECT_EQ(d->UnitEdit(slot)->isEnabled(), editable) << slot;
    }
    EXPECT_EQ(Child<QGroupBox>(d, "GroupBox1")->title(), "Программа");
    EXPECT_EQ(Child<QGroupBox>(d, "GroupBox2")->title(), "Опрос АЦП");
    QStringList classItems;
    for (QAbstractButton* b : d->Priorities(TMainNastr::ScanClass)->buttons())
      classItems.append(b->text());
    EXPECT_EQ(classItems, QStringList({"Idle", "Normal", "High", "Realtime"}));
    QStringList threadItems;
    for (QAbstractButton* b : d->Priorities(TMainNastr::AppThread)->buttons())
      threadItems.append(b->text());
    EXPECT_EQ(threadItems, QStringList({"Normal", "Above Normal", "Highest", "Time Critical"}));
    // The defaults: class 32 and thread 0 both read "Normal".
    EXPECT_EQ(d->Priorities(TMainNastr::AppClass)->checkedId(), 1);
    EXPECT_EQ(d->Priorities(TMainNastr::ScanThread)->checkedId(), 0);
    EXPECT_EQ(d->ETzi()->text(), "2.00");
    Press(d, "BtnCancel");
  });
}

TEST_F(MainNastrTest, AStoredPriorityTheDialogDoesNotOfferIsKeptAndWrittenBack) {
  table.ScanPriorityClass = 16384;
  EXPECT_TRUE(Run([](TMainNastr* d) {
    EXPECT_EQ(d->Priorities(TMainNastr::ScanClass)->checkedId(), -1);
    d->Pages()->setCurrentIndex(2);
    ClickBox(d->Priorities(TMainNastr::AppClass)->button(3));
    ClickBox(d->Priorities(TMainNastr::ScanThread)->button(3));
    Press(d, "BtnOk");
  }));
  EXPECT_EQ(table.ScanPriorityClass, 16384);
  EXPECT_EQ(table.AppPriorityClass, 256);
  EXPECT_EQ(table.ScanThreadPriority, 15);
  EXPECT_EQ(Stored("Приоритеты процессов", "ScanPriorityClass"), "16384");
  EXPECT_EQ(Stored("Приоритеты процессов", "AppPriorityClass"), "256");
}

TEST_F(MainNastrTest, ANewNameOfDac3StaysInMemoryOnlyAndTzi1Comma5Reads1Point5) {
  EXPECT_TRUE(Run([](TMainNastr* d) {
    d->Pages()->setCurrentIndex(1);
    Retype(d->NameEdit(18), "Возбуждение");
    Retype(d->NameEdit(16), "Момент");
    d->Pages()->setCurrentIndex(3);
    Retype(d->ETzi(), "1,5");
    Press(d, "BtnOk");
  }));
  EXPECT_EQ(table.ChanName[18], "Возбуждение");
  EXPECT_EQ(table.Tzi, 1.5);
  EXPECT_EQ(Stored("Наименования каналов ЦАП", "label1"), "Момент");
  EXPECT_EQ(Stored("Наименования каналов ЦАП", "label3"), "?");

  tornel::SetSystemDecimalSeparator(',');
  QString shown;
  Run([&](TMainNastr* d) {
    shown = d->ETzi()->text();
    Press(d, "BtnCancel");
  });
  tornel::SetSystemDecimalSeparator('.');
  EXPECT_EQ(shown, "1,50");
}

TEST_F(MainNastrTest, CancelChangesNothingAndWritesNoFile) {
  EXPECT_FALSE(Run([](TMainNastr* d) {
    Retype(d->NameEdit(0), "Ток");
    Retype(d->ETzi(), "abc");
    Press(d, "BtnCancel");
  }));
  EXPECT_EQ(table.ChanName[0], "Ica");
  EXPECT_EQ(table.Tzi, 2.0);
  EXPECT_EQ(Stored("defaults", "Тзи"), "?");
}

}  // namespace
