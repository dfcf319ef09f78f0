#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>
#include <QTabWidget>

#include "core/config/channel_table.h"
#include "core/records/graph_record.h"
#include "tests/ui/support/modal_driver.h"
#include "ui/static/combo_dlg.h"
#include "ui/static/sel_coord.h"
#include "ui/static/sel_coord2.h"
#include "ui/static/stat_nastr.h"
#include "ui/widgets/channel_check_group.h"

namespace {

using tornel::MaskPair;
using tornel::testing::Child;
using tornel::testing::ClickBox;
using tornel::testing::OnNextModal;
using tornel::testing::Press;

QCheckBox* Box(QWidget* dialog, int number) {
  return Child<QCheckBox>(dialog, QStringLiteral("CheckBox%1").arg(number).toLatin1().constData());
}

// Which of boxes first .. first + 15 a user sees ticked.
uint16_t TickedBoxes(QWidget* dialog, int first) {
  uint16_t mask = 0;
  for (int i = 0; i < 16; ++i) {
    if (Box(dialog, first + i)->isChecked()) mask = static_cast<uint16_t>(mask | (1u << i));
  }
  return mask;
}

tornel::ChannelTable NamedTable() {
  tornel::ChannelTable table;
  for (int s = 0; s < tornel::kChannelSlots; ++s) table.ChanName[s] = "Канал " + std::to_string(s);
  table.ChanName[2] = "U&I";
  return table;
}

TEST(TStatNastr, FilterMask15TicksTheFirstFourAndUntickingAllClearsIt) {
  tornel::ChannelTable table = NamedTable();
  table.FilterMask = 15;
  OnNextModal([](QWidget* w) {
    ASSERT_NE(qobject_cast<TStatNastr*>(w), nullptr);
    EXPECT_EQ(w->windowTitle(), "Настройка");
    EXPECT_EQ(Child<QGroupBox>(w, "GroupBox1")->title(), "Фильтр");
    EXPECT_EQ(TickedBoxes(w, 1), 0b1111);
    EXPECT_EQ(Box(w, 1)->text(), "Канал 0");
    EXPECT_EQ(Box(w, 3)->text(), "U&&I") << "a name with & must not become a shortcut";
    EXPECT_EQ(Box(w, 16)->text(), "Канал 15");
    for (int n = 1; n <= 4; ++n) ClickBox(Box(w, n));
    EXPECT_EQ(TickedBoxes(w, 1), 0);
    Press(w, "Button5");
  });
  EXPECT_TRUE(EditFilterMask(table));
  EXPECT_EQ(table.FilterMask, 0);
}

TEST(TStatNastr, TickingHighChannelsSetsTheirBits) {
  tornel::ChannelTable table = NamedTable();
  table.FilterMask = 0;
  OnNextModal([](QWidget* w) {
    ClickBox(Box(w, 9));
    ClickBox(Box(w, 16));
    Press(w, "Button5");
  });
  EXPECT_TRUE(EditFilterMask(table));
  EXPECT_EQ(static_cast<uint16_t>(table.FilterMask), 0x8100);
}

TEST(SelectionDialogs, CancelChangesNothingInTheCaller) {
  tornel::ChannelTable table = NamedTable();
  table.FilterMask = 15;
  OnNextModal([](QWidget* w) {
    ClickBox(Box(w, 1));
    ClickBox(Box(w, 7));
    Press(w, "Button6");
  });
  EXPECT_FALSE(EditFilterMask(table));
  EXPECT_EQ(table.FilterMask, 15);

  tornel::TGraphRecord record;
  record.AcpMask = 0b111;
  record.AcpShowMask = 0b1;
  OnNextModal([](QWidget* w) {
    ClickBox(Box(w, 2));
    Press(w, "Button6");
  });
  EXPECT_EQ(SelectFilterChannels(record), std::nullopt);

  OnNextModal([](QWidget* w) {
    ClickBox(Box(w, 2));
    Press(w, "Button6");
  });
  EXPECT_EQ(SelectTableChannels(record), std::nullopt);

  OnNextModal([](QWidget* w) {
    auto* combo = Child<QComboBox>(w, "ComboBox1");
    combo->setFocus();
    QTest::keyClick(combo, Qt::Key_Down);
    Press(w, "Button6");
  });
  EXPECT_EQ(TComboDlg::PickOne(nullptr, "Коорд.", {"a", "b"}, 0), std::nullopt);
}

TEST(SelectionDialogs, EscapeCancelsToo) {
  tornel::ChannelTable table = NamedTable();
  table.FilterMask = 3;
  OnNextModal([](QWidget* w) {
    ClickBox(Box(w, 5));
    QTest::keyClick(w, Qt::Key_Escape);
  });
  EXPECT_FALSE(EditFilterMask(table));
  EXPECT_EQ(table.FilterMask, 3);
}

TEST(ChannelCheckGroup, BoxesZeroToSevenLeftAndEightToFifteenRight) {
  ChannelCheckGroup group("g", 17);
  group.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&group));
  EXPECT_EQ(group.Box(0)->objectName(), "CheckBox17");
  EXPECT_EQ(group.Box(15)->objectName(), "CheckBox32");
  for (int i = 1; i < 8; ++i) {
    EXPECT_EQ(group.Box(i)->x(), group.Box(0)->x());
    EXPECT_GT(group.Box(i)->y(), group.Box(i - 1)->y());
    EXPECT_EQ(group.Box(i + 8)->y(), group.Box(i)->y());
    EXPECT_GT(group.Box(i + 8)->x(), group.Box(i)->x());
  }
}

TEST(TSelCoord, DisabledBoxesKeepTheirTickAndReturnIt) {
  tornel::TGraphRecord record;
  record.AcpMask = 0b0110;
  record.AcpShowMask = 0b0010;
  record.ChanName[1] = "Uя";
  record.Deps[0] = {1, 1, 0};  // X: ADC 3 (position 1), Y: ADC 2
  OnNextModal([](QWidget* w) {
    EXPECT_EQ(w->windowTitle(), "Координаты");
    EXPECT_EQ(Child<QGroupBox>(w, "GroupBox1")->title(), "Каналы АЦП");
    EXPECT_EQ(Box(w, 2)->text(), "Uя");
    EXPECT_EQ(TickedBoxes(w, 1), 0b0110);
    EXPECT_FALSE(Box(w, 1)->isEnabled());
    EXPECT_TRUE(Box(w, 2)->isEnabled());
    EXPECT_TRUE(Box(w, 3)->isEnabled());
    EXPECT_FALSE(Box(w, 4)->isEnabled());
    ClickBox(Box(w, 1));  // disabled: the click does nothing
    ClickBox(Box(w, 3));
    Press(w, "Button5");
  });
  EXPECT_EQ(SelectFilterChannels(record), 0b0010);

  TSelCoord dialog;
  const std::array<std::string, 16> names{};
  dialog.FillSelection(names, 0b0001, 0b1000);
  EXPECT_EQ(dialog.SelectionMask(), 0b1000) << "a disabled ticked box is returned ticked";
}

TEST(TSelCoord2, PagesOfADCAndDACChannels) {
  TSelCoord2 dialog;
  std::array<std::string, 32> names;
  for (int s = 0; s < 32; ++s) names[s] = "n" + std::to_string(s);
  dialog.FillSelection2(names, {0b11, 0b101}, {0b10, 0b100});
  auto* pages = Child<QTabWidget>(&dialog, "PageControl1");
  ASSERT_EQ(pages->count(), 2);
  EXPECT_EQ(pages->currentIndex(), 0);
  EXPECT_EQ(pages->tabText(0), "Каналы АЦП");
  EXPECT_EQ(pages->tabText(1), "Каналы ЦАП");
  EXPECT_EQ(pages->widget(1)->objectName(), "TabSheet2");
  EXPECT_EQ(Box(&dialog, 17)->text(), "n16");
  EXPECT_EQ(Box(&dialog, 32)->text(), "n31");
  EXPECT_EQ(TickedBoxes(&dialog, 17), 0b100);
  EXPECT_TRUE(Box(&dialog, 19)->isEnabled());
  EXPECT_FALSE(Box(&dialog, 18)->isEnabled());
  EXPECT_EQ(dialog.SelectionMasks(), (MaskPair{0b10, 0b100}));
}

TEST(SelectTableChannels, ChoosesTheTickedRecordedChannelsOfBothPages) {
  tornel::TGraphRecord record;
  record.AcpMask = 0b10010;
  record.CapMask = 0b1;
  record.AcpShowMask = 0b10;
  OnNextModal([](QWidget* w) {
    auto* pages = Child<QTabWidget>(w, "PageControl1");
    ClickBox(Box(w, 5));
    pages->setCurrentIndex(1);
    ClickBox(Box(w, 17));
    Press(w, "Button5");
  });
  EXPECT_EQ(SelectTableChannels(record), (MaskPair{0b10010, 0b1}));
}

TEST(SelectTableChannels, NothingRecordedLeftTickedOpensNothing) {
  tornel::TGraphRecord record;
  record.AcpMask = 0b10;
  record.AcpShowMask = 0b10;
  OnNextModal([](QWidget* w) {
    EXPECT_TRUE(Box(w, 2)->isChecked());
    ClickBox(Box(w, 2));
    Press(w, "Button5");
  });
  EXPECT_EQ(SelectTableChannels(record), std::nullopt);
}

TEST(TComboDlg, TwoPickOnlyListsWithTheirPreselection) {
  TComboDlg dialog;
  dialog.SetSecondShown(true);
  dialog.Label1()->setText("Коорд.№1");
  dialog.Label2()->setText("Коорд.№2");
  const QStringList names{"a", "b", "c"};
  dialog.ComboBox1()->addItems(names);
  dialog.ComboBox2()->addItems(names);
  dialog.ComboBox1()->setCurrentIndex(2);
  dialog.ComboBox2()->setCurrentIndex(1);
  OnNextModal([](QWidget* w) {
    EXPECT_EQ(w->windowTitle(), "Параметры");
    auto* second = Child<QComboBox>(w, "ComboBox2");
    EXPECT_TRUE(second->isVisible());
    EXPECT_FALSE(second->isEditable());
    EXPECT_EQ(second->currentText(), "b");
    second->setFocus();
    QTest::keyClick(second, Qt::Key_Down);
    QTest::keyClick(w, Qt::Key_Return);  // the default button
  });
  ASSERT_EQ(dialog.exec(), QDialog::Accepted);
  EXPECT_EQ(dialog.ComboBox1()->currentIndex(), 2);
  EXPECT_EQ(dialog.ComboBox2()->currentIndex(), 2);
}

TEST(TComboDlg, OneListAndAPreselectionThatNamesNoItemFallsBackToTheFirst) {
  OnNextModal([](QWidget* w) {
    EXPECT_FALSE(Child<QComboBox>(w, "ComboBox2")->isVisible());
    EXPECT_FALSE(Child<QLabel>(w, "Label2")->isVisible());
    EXPECT_EQ(Child<QLabel>(w, "Label1")->text(), "АЦП");
    EXPECT_EQ(Child<QComboBox>(w, "ComboBox1")->currentText(), "К1");
    Press(w, "Button5");
  });
  EXPECT_EQ(TComboDlg::PickOne(nullptr, "АЦП", {"К1", "К2"}, 20), 0);
}

TEST(TComboDlg, AnEmptyListCannotBeConfirmed) {
  OnNextModal([](QWidget* w) {
    auto* ok = Child<QPushButton>(w, "Button5");
    EXPECT_FALSE(ok->isEnabled());
    tornel::testing::Click(ok);
    QTest::keyClick(w, Qt::Key_Return);
    EXPECT_TRUE(w->isVisible());
    Press(w, "Button6");
  });
  EXPECT_EQ(TComboDlg::PickOne(nullptr, "ЦАП", {}, 0), std::nullopt);
}

TEST(SelectionDialogs, StartAtLeastAtTheirDesignSizes) {
  TStatNastr a;
  TSelCoord b;
  TSelCoord2 c;
  TComboDlg d;
  EXPECT_GE(a.width(), 233);
  EXPECT_GE(a.height(), 269);
  EXPECT_GE(b.width(), 261);
  EXPECT_GE(c.height(), 311);
  EXPECT_GE(d.width(), 230);
}

}  // namespace
