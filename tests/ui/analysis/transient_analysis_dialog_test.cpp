#include "ui/analysis/transient_analysis_dialog.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QImage>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <cmath>

#include "tests/core/analysis/step_records.h"
#include "tests/ui/graph/graph_test_support.h"
#include "ui/canvas/record_picture.h"
#include "ui/graph/graph_actions.h"
#include "ui/graph/graph_page_printer.h"

namespace {

using graphtest::ModalAnswers;
using graphtest::Settle;
using tornel::testing::Child;

// The hand record of the core tests in a graph window: ADC 1 steps from 0 to
// 100 codes at T0 = 0.4 s through 20, 60, 95, 110, 105 in 0.1 s frames; ADC 3
// stays at 7 (no step).
class AnalysisDialogTest : public graphtest::GraphWindowTest {
protected:
  void SetUp() override {
    window = NewWindow();
    std::vector<int16_t> over = {0, 0, 0, 0, 0, 20, 60, 95, 110, 105};
    over.resize(20, 100);
    std::vector<int16_t> frames;
    for (int16_t v : over) frames.insert(frames.end(), {v, 7});
    Fill(frames, 0b101, 2.0);
  }

  void Fill(const std::vector<int16_t>& frames, uint16_t mask, double duration) {
    tornel::TGraphRecord& r = window->Record();
    r.DestroyRecord();
    r.OrigFile = r.SampleFile = tornel::TGraphRecord::MakeTempName();
    tornel::testing::WriteBytes(r.SampleFile, tornel::testing::Int16Bytes(frames));
    r.FilteredFile = r.OrigFile + "f";
    r.Duration = r.TMax = duration;
    r.AcpMask = r.AcpShowMask = mask;
    r.RecountRecord();
    window->RefreshPicture();
    Settle();
  }

  // Opens the dialog from the window's "График" menu, as the user does.
  TransientAnalysisDialog* Open() {
    QMenu* graph = nullptr;
    for (QMenu* m : window->ChildMenus()) {
      if (m->title() == QStringLiteral("График")) graph = m;
    }
    EXPECT_NE(graph, nullptr);
    QAction* item = nullptr;
    for (QAction* a : graph->actions()) {
      if (a->text() == QStringLiteral("Анализ переходного процесса")) item = a;
    }
    EXPECT_NE(item, nullptr);
    item->trigger();
    Settle();
    return window->AnalysisDialog();
  }

  void Run(TransientAnalysisDialog* d, const QString& t0, int band = 0, int fit = 0) {
    auto* edit = Child<QLineEdit>(d, "StepTimeEdit");
    edit->selectAll();
    QTest::keyClicks(edit, t0);
    Child<QComboBox>(d, "SettleBandBox")->setCurrentIndex(band);
    Child<QComboBox>(d, "FitBox")->setCurrentIndex(fit);
    QTest::mouseClick(Child<QPushButton>(d, "AnalyseButton"), Qt::LeftButton);
    Settle();
  }

  // The cell of the row named `row` in column `column`.
  static QString Cell(TransientAnalysisDialog* d, const QString& row, int column) {
    auto* table = Child<QTableWidget>(d, "ResultTable");
    for (int r = 0; r < table->rowCount(); ++r) {
      if (table->verticalHeaderItem(r)->text() == row) return table->item(r, column)->text();
    }
    return "(нет строки " + row + ")";
  }

  QImage Plot() { return window->PaintBox()->grab().toImage(); }

  std::unique_ptr<TGraphFrm> window;
};

TEST_F(AnalysisDialogTest, AColumnPerShownChannel) {
  TransientAnalysisDialog* d = Open();
  ASSERT_NE(d, nullptr);
  EXPECT_TRUE(d->isVisible());
  Run(d, "0,4", 1);
  auto* table = Child<QTableWidget>(d, "ResultTable");
  ASSERT_EQ(table->columnCount(), 2);
  const tornel::TGraphRecord& r = window->Record();
  EXPECT_EQ(table->horizontalHeaderItem(0)->text(), QString::fromStdString(r.ChanName[0]));
  EXPECT_EQ(table->horizontalHeaderItem(1)->text(), QString::fromStdString(r.ChanName[2]));
  // Hand values: rise 0.6857 - 0.45, overshoot 10 %, settled in the 2 % band
  // after frame 9 (105), 0.6 s after T0.
  EXPECT_EQ(Cell(d, "Время нарастания, с", 0), "0.23571");
  EXPECT_EQ(Cell(d, "Перерегулирование, %", 0), "10.000");
  EXPECT_EQ(Cell(d, "Время установления (2 %), с", 0), "0.60000");
  EXPECT_EQ(Cell(d, "Время установления (2 %), с", 1), "—");
  EXPECT_EQ(Cell(d, "Примечание", 1), "Нет скачка на канале 3");
  EXPECT_FALSE(Child<QPushButton>(d, "SchemeButton")->isEnabled());
}

TEST_F(AnalysisDialogTest, MarksGoOnThePlotAndThePageAndLeaveWithTheDialog) {
  const QImage before = Plot();
  TransientAnalysisDialog* d = Open();
  Run(d, "0.4");
  const QImage marked = Plot();
  EXPECT_NE(marked, before);
  EXPECT_TRUE(window->PagePrinter().marks.has_value());
  QTest::mouseClick(Child<QPushButton>(d, "CloseButton"), Qt::LeftButton);
  Settle();
  EXPECT_FALSE(d->isVisible());
  EXPECT_EQ(Plot(), before);
  EXPECT_FALSE(window->PagePrinter().marks.has_value());
}

// Exported pictures and printed pages draw the marks by the screen's path.
TEST_F(AnalysisDialogTest, PicturesAndPagesCarryTheMarks) {
  TransientAnalysisDialog* d = Open();
  Run(d, "0.4", 0, 1);
  tornel::RecordPicture picture;
  const QImage plain = tornel::RenderRecordImage(window->Record(), picture);
  picture.marks = d->Result();
  EXPECT_NE(tornel::RenderRecordImage(window->Record(), picture), plain);

  GraphPagePrinter page = window->PagePrinter();
  ASSERT_TRUE(page.marks.has_value());
  auto paint = [&](const GraphPagePrinter& p) {
    QImage sheet(1100, 800, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter painter(&sheet);
    p.Paint(window->Record(), painter, sheet.size(), true);
    return sheet;
  };
  const QImage marked = paint(page);
  page.marks.reset();
  EXPECT_NE(marked, paint(page));
}

TEST_F(AnalysisDialogTest, StepTimeFromTheFirstCursor) {
  TransientAnalysisDialog* d = Open();
  auto* fromCursor = Child<QPushButton>(d, "FromCursorButton");
  EXPECT_FALSE(fromCursor->isEnabled());
  window->Actions().ACursors->trigger();
  Settle();
  ASSERT_TRUE(fromCursor->isEnabled());
  // Frames 0..19 visible: the first cursor on frame 6, at 6 * 2 / 20 s.
  QTest::mouseClick(fromCursor, Qt::LeftButton);
  EXPECT_EQ(Child<QLineEdit>(d, "StepTimeEdit")->text(), "0.6");
  window->Actions().ACursors->trigger();
  Settle();
  EXPECT_FALSE(fromCursor->isEnabled());
}

TEST_F(AnalysisDialogTest, CopyKeepsEveryDigit) {
  TransientAnalysisDialog* d = Open();
  Run(d, "0.4");
  QTest::mouseClick(Child<QPushButton>(d, "CopyButton"), Qt::LeftButton);
  const QString text = QGuiApplication::clipboard()->text();
  EXPECT_TRUE(text.contains("\nВремя нарастания, с\t0.235714285714286\t—\n")) << text.toStdString();
}

TEST_F(AnalysisDialogTest, ASchemeOfTheFittedChannelIsAskedOfTheHost) {
  Fill(tornel::testing::Sampled(2000, 2.0, 0.1, 10000,
                                [](double s) { return tornel::testing::Lag(s, 0.1); }),
       0b1, 2.0);
  TransientAnalysisDialog* d = Open();
  Run(d, "0.1", 0, 1);
  auto* scheme = Child<QPushButton>(d, "SchemeButton");
  ASSERT_TRUE(scheme->isEnabled());
  QTest::mouseClick(scheme, Qt::LeftButton);
  ASSERT_EQ(host.fitSchemes.size(), 1u);
  const tornel::FitSchemeModel& m = host.fitSchemes[0];
  EXPECT_EQ(m.Fit.Kind, tornel::FitKind::First);
  EXPECT_NEAR(m.Fit.TimeConstant, 0.1, 0.001);
  EXPECT_EQ(m.EndTime, 2.0);
  EXPECT_EQ(m.Name, window->Record().ChanName[0]);
}

TEST_F(AnalysisDialogTest, RefusalsAreSaidAndLeaveNoMarks) {
  TransientAnalysisDialog* d = Open();
  QString said;
  {
    ModalAnswers answers;
    answers.Then([&](QWidget* w) {
      said = tornel::testing::MessageText(w);
      tornel::testing::Dismiss(w);
    });
    Run(d, "abc");
  }
  EXPECT_EQ(said, "Момент скачка T0 — число секунд от начала записи");
  window->Record().IsStatic = true;
  {
    ModalAnswers answers;
    answers.Then([&](QWidget* w) {
      said = tornel::testing::MessageText(w);
      tornel::testing::Dismiss(w);
    });
    Run(d, "0.4");
  }
  EXPECT_TRUE(said.contains("статическая характеристика")) << said.toStdString();
  EXPECT_FALSE(window->PaintBox()->TransientMarks().has_value());
}

TEST_F(AnalysisDialogTest, AFilterTakesTheResultAway) {
  TransientAnalysisDialog* d = Open();
  Run(d, "0.4");
  ASSERT_TRUE(window->PaintBox()->TransientMarks().has_value());
  window->RefreshTable();  // what every filter does once it changed the samples
  EXPECT_FALSE(window->PaintBox()->TransientMarks().has_value());
  EXPECT_EQ(Child<QTableWidget>(d, "ResultTable")->rowCount(), 0);
  EXPECT_FALSE(Child<QPushButton>(d, "CopyButton")->isEnabled());
}

}  // namespace
