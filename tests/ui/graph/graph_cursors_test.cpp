#include <gtest/gtest.h>

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QTest>

#include "core/text/number_text.h"
#include "graph_test_support.h"
#include "ui/graph/graph_actions.h"
#include "ui/graph/graph_cursor_panel.h"

namespace {

using graphtest::Settle;

class GraphCursorsTest : public graphtest::GraphWindowTest {
protected:
  void SetUp() override {
    window = NewWindow();
    box = window->PaintBox();
  }
  void TurnOn() {
    window->Actions().ACursors->trigger();
    Settle();
  }
  int MidY() const { return (box->InnerRectangle().Top + box->InnerRectangle().Bottom) / 2; }

  std::unique_ptr<TGraphFrm> window;
  GraphPaintBox* box = nullptr;
};

TEST_F(GraphCursorsTest, ACursorIsDraggedToTheFrameUnderTheMouse) {
  FillAsExperiment(*window, std::vector<int16_t>(101, 0));  // frames 0..99 visible
  EXPECT_TRUE(window->CursorPanel()->isHidden());
  TurnOn();
  EXPECT_FALSE(window->CursorPanel()->isHidden());
  ASSERT_EQ(box->Cursors().Frame(0), 33);
  ASSERT_EQ(box->Cursors().Frame(1), 67);

  const tornel::PlotRect inner = box->InnerRectangle();
  const int to = inner.Left + inner.Width() / 2;  // frame 50
  QTest::mousePress(box, Qt::LeftButton, {}, {box->CursorX(1) + 2, MidY()});
  QTest::mouseMove(box, {to, MidY()});
  QTest::mouseRelease(box, Qt::LeftButton, {}, {to, MidY()});
  Settle();
  EXPECT_EQ(box->Cursors().Frame(1), 50);
  EXPECT_EQ(box->Cursors().Frame(0), 33);
  EXPECT_DOUBLE_EQ(window->Record().TMax, 1.0) << "a cursor drag does not zoom";
  EXPECT_EQ(window->CursorPanel()->Readout().frame2, 50);
}

TEST_F(GraphCursorsTest, TheCursorsKeepTheirFramesThroughAZoomElsewhere) {
  FillAsExperiment(*window, std::vector<int16_t>(1001, 0));
  TurnOn();
  const tornel::PlotRect inner = box->InnerRectangle();
  const int from = inner.Left + inner.Width() / 10, to = inner.Left + inner.Width() * 9 / 10;
  QTest::mousePress(box, Qt::LeftButton, {}, {from, MidY()});
  QTest::mouseMove(box, {(from + to) / 2, MidY() + 2});
  QTest::mouseMove(box, {to, MidY() + 2});
  QTest::mouseRelease(box, Qt::LeftButton, {}, {to, MidY() + 2});
  Settle();
  EXPECT_LT(window->Record().TMax - window->Record().TMin, 1.0);
  EXPECT_EQ(box->Cursors().Frame(0), 333);
  EXPECT_EQ(box->Cursors().Frame(1), 667);
}

TEST_F(GraphCursorsTest, ArrowsMoveTheActiveCursorByAFrameOrATenth) {
  FillAsExperiment(*window, std::vector<int16_t>(101, 0));
  TurnOn();
  QTest::keyClick(box, Qt::Key_Right);
  EXPECT_EQ(box->Cursors().Frame(0), 34);
  QTest::keyClick(box, Qt::Key_Left, Qt::ShiftModifier);
  EXPECT_EQ(box->Cursors().Frame(0), 24);
  EXPECT_EQ(window->CursorPanel()->Readout().frame1, 24);
}

TEST_F(GraphCursorsTest, CopiedValuesAreTabSeparatedWithTheLocalesDecimalSign) {
  tornel::SetSystemDecimalSeparator(',');
  // Physical values 0, 1, 2, 3 one second apart; the cursors on frames 1, 2.
  FillAsExperiment(*window, {0, 511, 1022, 1533}, 3.0);
  TurnOn();
  window->Actions().ACopyCursorValues->trigger();
  const QString name = QString::fromStdString(window->Record().ChanName[0]);
  const QString unit = QString::fromStdString(window->Record().ChanUnit[0]);
  EXPECT_EQ(QGuiApplication::clipboard()->text(),
            QStringLiteral("t₁, c\t1\tt₂, c\t2\tΔt, c\t1\t1/Δt, Гц\t1\n"
                           "Канал\tЕд.\tt₁\tt₂\tРазность\tМин.\tМакс.\tСреднее\tСКЗ\n") +
                name + "\t" + unit + QStringLiteral("\t1\t2\t1\t1\t2\t1,5\t1,58113883008419\n"));
  tornel::SetSystemDecimalSeparator('.');
}

}  // namespace
