#include <gtest/gtest.h>

#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

#include "tests/support/temp_dir.h"
#include "tests/ui/support/modal_driver.h"
#include "tests/ui/support/qt_printers.h"
#include "ui/app/text_form.h"
#include "ui/app/window_arranger.h"
#include "ui/widgets/progress_dlg.h"

namespace {

TEST(TextForm, ShowsTheRtfAsFormattedText) {
  tornel::testing::TempDir dir;
  // "Опыт" centred and bold, then a justified paragraph in italics.
  tornel::testing::WriteBytes(dir.File("d.rtf"),
                              "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\qc\\b \\'ce\\'ef\\'fb\\'f2"
                              "\\b0\\par\\pard\\qj{\\i x\\tab y}\\par}");
  TTextForm form;
  form.LoadFile(QString::fromStdString(dir.File("d.rtf")));
  QTextDocument* doc = form.RichEdit()->document();
  EXPECT_EQ(doc->toPlainText(), "Опыт\nx\ty");
  QTextBlock first = doc->firstBlock();
  EXPECT_EQ(first.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
  QTextCursor cursor(first);
  cursor.movePosition(QTextCursor::NextCharacter);
  EXPECT_EQ(cursor.charFormat().fontWeight(), QFont::Bold);
  QTextBlock second = first.next();
  EXPECT_EQ(second.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignJustify);
  QTextCursor italic(second);
  italic.movePosition(QTextCursor::NextCharacter);
  EXPECT_TRUE(italic.charFormat().fontItalic());
}

TEST(TextForm, IsAFixedDialogWithBothScrollBarsAndContinueAsDefault) {
  TTextForm form;
  EXPECT_EQ(form.windowTitle(), "TornelAD");
  EXPECT_TRUE(form.windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_EQ(form.minimumSize(), form.maximumSize());
  EXPECT_EQ(form.RichEdit()->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  EXPECT_EQ(form.RichEdit()->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
  EXPECT_EQ(form.OkButton()->text(), "Продолжить");
  EXPECT_TRUE(form.OkButton()->isDefault());
  EXPECT_EQ(form.CancelButton()->text(), "Отменить");
}

TEST(TextForm, MissingFileNamesItsPath) {
  TTextForm form;
  try {
    form.LoadFile("/nonexistent/Text/PerehDoc.rtf");
    ADD_FAILURE() << "no error";
  } catch (const std::exception& e) {
    EXPECT_STREQ(e.what(), "Не удалось открыть файл /nonexistent/Text/PerehDoc.rtf");
  }
}

TEST(ProgressDlg, StepsWithinItsRangeAndCannotBeClosedByTheUser) {
  TProgressDlg dlg;
  EXPECT_FALSE(dlg.windowFlags() & Qt::WindowCloseButtonHint);
  EXPECT_TRUE(dlg.windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_EQ(dlg.Max(), 100);
  dlg.SetMax(3);
  dlg.SetPosition(0);
  dlg.show();
  for (int i = 0; i < 5; ++i) dlg.StepIt();
  EXPECT_EQ(dlg.Position(), 3);
  dlg.close();
  EXPECT_TRUE(dlg.isVisible());
  QTest::keyClick(&dlg, Qt::Key_Escape);
  EXPECT_TRUE(dlg.isVisible());
}

TEST(ProgressDlg, ClicksDuringTheWorkNeitherActNorWaitForItsEnd) {
  QPushButton button(QStringLiteral("Файл"));
  button.show();
  int clicks = 0;
  QObject::connect(&button, &QPushButton::clicked, [&] { ++clicks; });
  {
    TProgressDlg dlg;
    dlg.SetMax(2);
    dlg.show();
    tornel::testing::PostClick(&button);
    dlg.StepIt();
    tornel::testing::PostClick(&button);  // after the last step, before the release
  }
  QCoreApplication::processEvents();
  EXPECT_EQ(clicks, 0);
  tornel::testing::PostClick(&button);
  QCoreApplication::processEvents();
  EXPECT_EQ(clicks, 1);
}

TEST(WindowArranger, StripsFillTheAreaExactly) {
  QList<QRect> rows = WindowArranger::Strips(QRect(0, 0, 100, 90), 3, Qt::Horizontal);
  EXPECT_EQ(rows,
            QList<QRect>({QRect(0, 0, 100, 30), QRect(0, 30, 100, 30), QRect(0, 60, 100, 30)}));
  QList<QRect> columns = WindowArranger::Strips(QRect(10, 5, 100, 50), 3, Qt::Vertical);
  EXPECT_EQ(columns,
            QList<QRect>({QRect(10, 5, 33, 50), QRect(43, 5, 33, 50), QRect(76, 5, 34, 50)}));
  EXPECT_TRUE(WindowArranger::Strips(QRect(0, 0, 100, 90), 0, Qt::Vertical).isEmpty());
}

TEST(WindowArranger, IconsLineUpFromTheBottomLeftAndWrapUpwards) {
  QList<QRect> icons = WindowArranger::IconRows(
      QRect(0, 0, 100, 100), {QSize(40, 20), QSize(40, 20), QSize(40, 20), QSize(120, 25)});
  EXPECT_EQ(icons, QList<QRect>({QRect(0, 80, 40, 20), QRect(40, 80, 40, 20), QRect(0, 60, 40, 20),
                                 QRect(0, 35, 120, 25)}));
}

}  // namespace
