#include "ui/graph/grid_frm.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QClipboard>
#include <QHeaderView>
#include <QImage>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QPrinter>
#include <QScrollBar>
#include <QTabWidget>
#include <QTableView>
#include <memory>

#include "core/graph/table_columns.h"
#include "core/text/number_text.h"
#include "tests/core/graph/sample_bytes.h"
#include "tests/support/temp_dir.h"
#include "tests/ui/support/fake_window_host.h"
#include "tests/ui/support/modal_driver.h"
#include "ui/app/main_form.h"
#include "ui/graph/grid_model.h"

namespace {

using tornel::testing::Child;
using tornel::testing::ClickBox;
using tornel::testing::Int16Bytes;
using tornel::testing::OnNextModal;
using tornel::testing::Press;

// The text a user reads in a cell (model row and column) and in the headers.
QString Cell(TGridFrm& t, int row, int column) {
  return t.Grid()->model()->index(row, column).data().toString();
}
QString RowHeader(TGridFrm& t, int row) {
  return t.Grid()->model()->headerData(row, Qt::Vertical).toString();
}
QString ColumnHeader(TGridFrm& t, int column) {
  return t.Grid()->model()->headerData(column, Qt::Horizontal).toString();
}
QString Corner(TGridFrm& t) { return Child<QAbstractButton>(t.Grid(), "GridCorner")->text(); }

class GridFrmTest : public ::testing::Test {
protected:
  GridFrmTest() {
    // ADC 2, ADC 5 and DAC 1 recorded: positions 0, 1 and 2.
    record.AcpMask = 0b10010;
    record.CapMask = 0b1;
    record.ChanName[1] = "Uя";
    record.ChanUnit[1] = "В";
    record.ChanName[4] = "Iя";
    record.ChanUnit[4] = "А";
    record.ChanName[16] = "Uз";
    record.ChanUnit[16] = "";
    record.Base[4] = 10;
    record.Base[16] = 5.11;
    record.Duration = 1.0;
    record.SampleFile = file;
    record.AcpShowMask = 0b10000;
    record.CapShowMask = 0b1;
  }
  ~GridFrmTest() override { tornel::SetSystemDecimalSeparator('.'); }

  void WriteFrames(const std::vector<int16_t>& values) {
    tornel::testing::WriteBytes(file, Int16Bytes(values));
    record.RecountRecord();
  }

  // The ATable command with the user confirming the preselection.
  TGridFrm* OpenConfirmed(QWidget* graphWindow) {
    OnNextModal([](QWidget* w) { Press(w, "Button5"); }, "TSelCoord2");
    return OpenTableView(*opener, record, tableView, graphWindow);
  }

  tornel::testing::FakeWindowHost host;
  WindowHost* opener = &host;  // where the ATable command puts the table
  tornel::testing::TempDir dir;
  std::string file = dir.File("Trn1");
  tornel::TGraphRecord record;
  QPointer<TGridFrm> tableView;
};

TEST_F(GridFrmTest, ColumnsReadTheirChannelsFramePositions) {
  WriteFrames({111, 511, -511, 222, -511, 511});
  TGridFrm table(host, record, {0b10000, 0b1});
  EXPECT_EQ(table.windowTitle(), "Таблица");
  ASSERT_EQ(table.Grid()->model()->columnCount(), 2);
  EXPECT_EQ(ColumnHeader(table, 0), "Iя, А");
  EXPECT_EQ(ColumnHeader(table, 1), "Uз") << "no unit, no comma";
  EXPECT_EQ(Cell(table, 0, 0), "10.000");
  EXPECT_EQ(Cell(table, 0, 1), "-5.110");
  EXPECT_EQ(Cell(table, 1, 0), "-10.000");
  EXPECT_EQ(Cell(table, 1, 1), "5.110");
}

TEST_F(GridFrmTest, ATransientRecordOf1001FramesShowsMillisecondTimes) {
  std::vector<int16_t> frames(1001 * 3, 0);
  WriteFrames(frames);
  TGridFrm table(host, record, {0b10, 0});
  EXPECT_EQ(Corner(table), "t, c");
  EXPECT_EQ(table.Grid()->model()->rowCount(), 1001) << "trunc(FrameCount + 1) grid rows";
  EXPECT_EQ(RowHeader(table, 0), "0.000");
  EXPECT_EQ(RowHeader(table, 1), "0.001");
  EXPECT_EQ(RowHeader(table, 999), "0.999");
  EXPECT_EQ(RowHeader(table, 1000), "1.000");
  tornel::SetSystemDecimalSeparator(',');
  EXPECT_EQ(RowHeader(table, 500), "0,500");
  EXPECT_EQ(Cell(table, 500, 0), "0,000");
}

TEST_F(GridFrmTest, AStaticRecordNumbersItsPoints) {
  record.IsStatic = true;
  record.Duration = 3;
  WriteFrames({1, 2, 3, 4, 5, 6, 7, 8, 9});
  TGridFrm table(host, record, {0b10, 0});
  EXPECT_EQ(Corner(table), "№");
  EXPECT_EQ(RowHeader(table, 0), "1");
  EXPECT_EQ(RowHeader(table, 1), "2");
  EXPECT_EQ(RowHeader(table, 2), "3");
}

TEST_F(GridFrmTest, AFrameThatCannotBeReadShowsEmptyCells) {
  WriteFrames({0, 511, 0, 0, -511, 0});
  TGridFrm table(host, record, {0b10000, 0});
  EXPECT_EQ(Cell(table, 1, 0), "-10.000");
  tornel::testing::WriteBytes(file, Int16Bytes({0, 511, 0}));  // shortened behind its back
  table.Retarget(file);
  EXPECT_EQ(Cell(table, 0, 0), "10.000");
  EXPECT_EQ(Cell(table, 1, 0), "");
  table.Retarget(dir.File("missing"));
  EXPECT_EQ(Cell(table, 0, 0), "");
}

TEST_F(GridFrmTest, RetargetingShowsTheFilteredFile) {
  WriteFrames({0, 511, 0});
  TGridFrm table(host, record, {0b10000, 0});
  EXPECT_EQ(Cell(table, 0, 0), "10.000");
  const std::string filtered = file + "f";
  tornel::testing::WriteBytes(filtered, Int16Bytes({0, 100, 0}));
  table.Retarget(filtered);
  EXPECT_EQ(table.GridSampleFile(), filtered);
  EXPECT_EQ(Cell(table, 0, 0), "1.957");
  tornel::testing::WriteBytes(filtered, Int16Bytes({0, -511, 0}));  // filtered again
  table.Retarget(filtered);
  EXPECT_EQ(Cell(table, 0, 0), "-10.000");
}

TEST_F(GridFrmTest, ScrollingALongRecordReadsOnlyTheFramesOnScreen) {
  std::vector<int16_t> frames;
  constexpr int kFrames = 2'000'000;
  frames.reserve(kFrames * 3);
  for (int f = 0; f < kFrames; ++f) {
    frames.push_back(0);
    frames.push_back(static_cast<int16_t>(f % 2 == 0 ? 511 : -511));
    frames.push_back(0);
  }
  WriteFrames(frames);
  TGridFrm table(host, record, {0b10000, 0});
  table.resize(400, 300);
  table.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&table));
  table.Grid()->verticalScrollBar()->setValue(table.Grid()->verticalScrollBar()->maximum());
  table.Grid()->viewport()->repaint();
  table.Grid()->verticalScrollBar()->setValue(kFrames / 2);
  table.Grid()->viewport()->repaint();
  EXPECT_EQ(table.Grid()->model()->rowCount(), kFrames);
  EXPECT_EQ(Cell(table, kFrames - 1, 0), "-10.000");
  EXPECT_LE(table.Model()->FileReads(), 6);
}

TEST_F(GridFrmTest, BothWordsEmptyAfterMaskingOpensNoTable) {
  WriteFrames({1, 2, 3});
  OnNextModal(
      [](QWidget* w) {
        ClickBox(Child<QCheckBox>(w, "CheckBox5"));  // untick the one preselected ADC channel
        Child<QTabWidget>(w, "PageControl1")->setCurrentIndex(1);
        ClickBox(Child<QCheckBox>(w, "CheckBox17"));
        Press(w, "Button5");
      },
      "TSelCoord2");
  QWidget graph;
  EXPECT_EQ(OpenTableView(host, record, tableView, &graph), nullptr);
  EXPECT_TRUE(tableView.isNull());
}

TEST_F(GridFrmTest, CancellingTheSelectionOpensNoTable) {
  WriteFrames({1, 2, 3});
  OnNextModal([](QWidget* w) { Press(w, "Button6"); }, "TSelCoord2");
  QWidget graph;
  EXPECT_EQ(OpenTableView(host, record, tableView, &graph), nullptr);
  EXPECT_TRUE(tableView.isNull());
}

TEST_F(GridFrmTest, ASecondTableCommandRaisesTheSameWindowAndTheTableGoesWithItsGraph) {
  WriteFrames({1, 2, 3});
  auto graph = std::make_unique<QWidget>();
  TGridFrm* first = OpenConfirmed(graph.get());
  ASSERT_NE(first, nullptr);
  EXPECT_TRUE(first->isVisible());
  EXPECT_NE(qobject_cast<QMdiSubWindow*>(first->parentWidget()), nullptr) << "a child of the host";
  EXPECT_EQ(tableView.data(), first);
  EXPECT_EQ(first->Columns().Selected(), (tornel::MaskPair{0b10000, 0b1}));
  {
    tornel::testing::NoModalExpected noDialog;
    EXPECT_EQ(OpenTableView(host, record, tableView, graph.get()), first);
  }
  graph.reset();
  EXPECT_TRUE(tableView.isNull());
}

TEST_F(GridFrmTest, ClosingTheTableForgetsIt) {
  WriteFrames({1, 2, 3});
  QWidget graph;
  TGridFrm* table = OpenConfirmed(&graph);
  ASSERT_NE(table, nullptr);
  table->parentWidget()->close();  // the child window's frame, as the user closes it
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(tableView.isNull());
}

class GridInMainFormTest : public GridFrmTest {
protected:
  GridInMainFormTest() {
    AppEnvironment env;
    env.configPath = QString::fromStdString(dir.File("Tornel.ini"));
    form = std::make_unique<TMainForm>(env);
    opener = form.get();
  }
  ~GridInMainFormTest() override {
    form.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  std::unique_ptr<TMainForm> form;
};

TEST_F(GridInMainFormTest, TheTableIsAChildWindowAndASecondCommandBringsItToTheFront) {
  WriteFrames({1, 2, 3});
  QMdiArea* area = form->MdiArea();
  auto* graph = new QWidget;
  QMdiSubWindow* graphWindow = form->AddChild(graph);
  TGridFrm* table = OpenConfirmed(graph);
  ASSERT_NE(table, nullptr);
  ASSERT_EQ(area->subWindowList().size(), 2);
  EXPECT_EQ(table->parentWidget()->windowTitle(), "Таблица");
  area->setActiveSubWindow(graphWindow);
  ASSERT_EQ(area->activeSubWindow(), graphWindow);
  {
    tornel::testing::NoModalExpected noDialog;
    EXPECT_EQ(OpenTableView(*form, record, tableView, graph), table);
  }
  EXPECT_EQ(area->subWindowList().size(), 2);
  EXPECT_EQ(area->activeSubWindow()->widget(), table);

  graphWindow->close();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(tableView.isNull());
  EXPECT_TRUE(area->subWindowList().isEmpty());
}

TEST_F(GridInMainFormTest, TheMainWindowClosesWithATableOpen) {
  WriteFrames({1, 2, 3});
  auto* graph = new QWidget;
  form->AddChild(graph);
  ASSERT_NE(OpenConfirmed(graph), nullptr);
  form.reset();  // graph and table windows go in one sweep
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(tableView.isNull());
}

TEST_F(GridFrmTest, ThePopupOffersItsThreeCommands) {
  WriteFrames({1, 2, 3});
  TGridFrm table(host, record, {0b10, 0});
  table.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&table));
  QWidget* viewport = table.Grid()->viewport();
  QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(10, 10),
                          viewport->mapToGlobal(QPoint(10, 10)));
  QApplication::sendEvent(viewport, &click);
  QMenu* menu = table.TablMenu();
  EXPECT_TRUE(menu->isVisible());
  QStringList texts;
  for (QAction* a : menu->actions()) texts << a->text();
  EXPECT_EQ(texts, (QStringList{"Печать", "Скопировать в буфер", "Скопировать значения"}));
  menu->hide();
}

TEST_F(GridFrmTest, CopyingThePicturePutsTheWindowOnTheClipboard) {
  WriteFrames({1, 2, 3});
  TGridFrm table(host, record, {0b10, 0});
  table.resize(332, 149);
  table.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&table));
  QApplication::clipboard()->clear();
  Child<QAction>(table.TablMenu(), "mnSaveToBuf")->trigger();
  const QImage image = QApplication::clipboard()->image();
  EXPECT_EQ(image.size(), table.size() * table.devicePixelRatio());
  EXPECT_EQ(image, table.grab().toImage());
}

TEST_F(GridFrmTest, CopyingValuesGivesTheWholeTableOrTheSelectedCells) {
  WriteFrames({0, 511, 0, 0, -511, 511});
  tornel::SetSystemDecimalSeparator(',');
  TGridFrm table(host, record, {0b10000, 0b1});
  table.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&table));
  QAction* copy = Child<QAction>(table.TablMenu(), "mnCopyValues");
  copy->trigger();
  EXPECT_EQ(QApplication::clipboard()->text(),
            "t, c\tIя, А\tUз\n0,000\t10,000\t0,000\n1,000\t-10,000\t5,110\n");

  QTableView* grid = table.Grid();
  const QRect cell = grid->visualRect(grid->model()->index(1, 0));
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, cell.center());
  const QRect next = grid->visualRect(grid->model()->index(1, 1));
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::ShiftModifier, next.center());
  copy->trigger();
  EXPECT_EQ(QApplication::clipboard()->text(), "-10,000\t5,110\n");
}

TEST_F(GridFrmTest, PrintingDrawsThePictureOnThePage) {
  WriteFrames({1, 2, 3});
  TGridFrm table(host, record, {0b10, 0});
  table.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&table));
  QPrinter printer;
  printer.setOutputFormat(QPrinter::PdfFormat);
  const std::string pdf = dir.File("table.pdf");
  printer.setOutputFileName(QString::fromStdString(pdf));
  ASSERT_TRUE(table.PrintTo(printer));
  const std::string bytes = tornel::testing::ReadBytes(pdf);
  EXPECT_EQ(bytes.substr(0, 5), "%PDF-");
  EXPECT_NE(bytes.find("/Image"), std::string::npos) << "the window's picture";
}

}  // namespace
