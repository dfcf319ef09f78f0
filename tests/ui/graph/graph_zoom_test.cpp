#include <gtest/gtest.h>

#include <QImage>
#include <QMenu>
#include <QTest>
#include <cmath>

#include "graph_test_support.h"

namespace {

using graphtest::Settle;

// Drags over the plot with the left button as a user does, in steps.
void Drag(QWidget* box, QPoint from, QPoint to) {
  QTest::mousePress(box, Qt::LeftButton, {}, from);
  const QPoint mid = (from + to) / 2;
  QTest::mouseMove(box, mid);
  QTest::mouseMove(box, to);
  QTest::mouseRelease(box, Qt::LeftButton, {}, to);
  Settle();
}

class GraphZoomTest : public graphtest::GraphWindowTest {
protected:
  void SetUp() override {
    window = NewWindow();
    box = window->PaintBox();
  }
  // The x of time t on a plot of 0 .. 1 s, rounded toward the inside of
  // (t, t + 0.01) so that the pixel stands for t within a hundredth.
  int XOfTime(double t) const {
    const tornel::PlotRect inner = box->InnerRectangle();
    return inner.Left + static_cast<int>(std::ceil(t * inner.Width()));
  }
  int MidY() const {
    const tornel::PlotRect inner = box->InnerRectangle();
    return (inner.Top + inner.Bottom) / 2;
  }

  std::unique_ptr<TGraphFrm> window;
  GraphPaintBox* box = nullptr;
};

TEST_F(GraphZoomTest, ARightwardDragZoomsTimeToTheTenthsAroundTheBand) {
  FillAsExperiment(*window, Sine(1000));
  ASSERT_GE(box->InnerRectangle().Width(), 200);
  Drag(box, {XOfTime(0.23), MidY()}, {XOfTime(0.71), MidY() + 3});
  EXPECT_DOUBLE_EQ(window->Record().TMin, 0.2);
  EXPECT_DOUBLE_EQ(window->Record().TMax, 0.8);

  Drag(box, {XOfTime(0.6), MidY()}, {XOfTime(0.3), MidY()});
  EXPECT_DOUBLE_EQ(window->Record().TMin, 0.0);
  EXPECT_DOUBLE_EQ(window->Record().TMax, 1.0) << "a leftward drag shows the whole record";
}

TEST_F(GraphZoomTest, TheBandInvertsThePlotWhileDraggingAndGoesAway) {
  FillAsExperiment(*window, std::vector<int16_t>(100, 0));
  const QImage before = box->grab().toImage();
  const tornel::PlotRect inner = box->InnerRectangle();
  const QPoint inside(inner.Left + 40, inner.Top + 10);  // white, above the curve
  const QPoint outside(inner.Left + 80, inner.Top + 10);
  ASSERT_EQ(before.pixelColor(inside), QColor(Qt::white));

  QTest::mousePress(box, Qt::LeftButton, {}, {inner.Left + 20, MidY()});
  QTest::mouseMove(box, {inner.Left + 60, MidY() + 2});
  const QImage during = box->grab().toImage();
  EXPECT_EQ(during.pixelColor(inside), QColor(Qt::black));
  EXPECT_EQ(during.pixelColor(outside), before.pixelColor(outside));
  QTest::mouseMove(box, {inner.Left + 30, MidY() + 2});  // back toward the start
  EXPECT_EQ(box->grab().toImage().pixelColor(inside), QColor(Qt::white));

  // Released where it started: no zoom, and the picture is as before.
  QTest::mouseMove(box, {inner.Left + 20, MidY()});
  QTest::mouseRelease(box, Qt::LeftButton, {}, {inner.Left + 20, MidY()});
  Settle();
  EXPECT_EQ(box->grab().toImage(), before);
  EXPECT_DOUBLE_EQ(window->Record().TMax, 1.0);
}

TEST_F(GraphZoomTest, AnUpwardDragAutorangesAConstantSignal) {
  table.RealBase[0] = 2.0;  // 511 codes of Base 1: 0.5 per unit
  window = NewWindow();
  box = window->PaintBox();
  FillAsExperiment(*window, std::vector<int16_t>(50, 511));
  const tornel::PlotRect inner = box->InnerRectangle();
  Drag(box, {inner.Left + 50, inner.Bottom - 10}, {inner.Left + 52, inner.Top + 10});
  EXPECT_DOUBLE_EQ(window->Record().YMin, 0.4);
  EXPECT_DOUBLE_EQ(window->Record().YMax, 0.6);
  EXPECT_DOUBLE_EQ(window->Record().TMax, 1.0) << "a Y band leaves time alone";
}

TEST_F(GraphZoomTest, ADownwardDragZoomsY) {
  FillAsExperiment(*window, Sine(100));
  const tornel::PlotRect inner = box->InnerRectangle();
  // From the top edge (1.9) to the middle (0.0) of -1.9 .. 1.9.
  Drag(box, {inner.Left + 50, inner.Top}, {inner.Left + 53, (inner.Top + inner.Bottom) / 2});
  EXPECT_DOUBLE_EQ(window->Record().YMax, 1.9);
  EXPECT_NEAR(window->Record().YMin, 0.0, 1e-12);
}

TEST_F(GraphZoomTest, WithAnXRangeOfATenthARightwardDragChangesNothing) {
  FillAsExperiment(*window, Sine(100));
  tornel::TGraphRecord& r = window->Record();
  r.AcpShowMask = 0;
  r.Deps[0] = {1, 0, 0};
  r.XMin = 0.0;
  r.XMax = 0.1;
  window->RefreshPicture();
  Settle();
  const tornel::PlotRect inner = box->InnerRectangle();
  Drag(box, {inner.Left + 20, MidY()}, {inner.Right - 20, MidY()});
  EXPECT_DOUBLE_EQ(r.XMin, 0.0);
  EXPECT_DOUBLE_EQ(r.XMax, 0.1);
  EXPECT_DOUBLE_EQ(r.YMin, -1.9);
  EXPECT_DOUBLE_EQ(r.TMin, 0.0);
  EXPECT_DOUBLE_EQ(r.TMax, 1.0);
}

TEST_F(GraphZoomTest, TheRightButtonOpensThePopupAndStartsNoBand) {
  FillAsExperiment(*window, Sine(100));
  const tornel::PlotRect inner = box->InnerRectangle();
  QTest::mousePress(box, Qt::RightButton, {}, {inner.Left + 30, MidY()});
  Settle();
  EXPECT_TRUE(window->PMGraph()->isVisible());
  EXPECT_FALSE(box->Band().BandDragging);
  window->PMGraph()->close();
  QTest::mouseRelease(box, Qt::RightButton, {}, {inner.Left + 90, MidY()});
  EXPECT_DOUBLE_EQ(window->Record().TMax, 1.0);
}

TEST_F(GraphZoomTest, ResizesInOneGoDrawOnePictureAfterThePendingPaints) {
  FillAsExperiment(*window, Sine(100));
  int pictures = 0;
  QObject::connect(box, &GraphPaintBox::Rendered, [&] { ++pictures; });
  for (int w = 600; w < 700; w += 20) {
    window->resize(w, 400);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::Resize);
  }
  EXPECT_TRUE(box->PicturePending());
  Settle();
  EXPECT_EQ(pictures, 1);
  EXPECT_FALSE(box->PicturePending());
  EXPECT_EQ(box->grab().toImage().size(), box->size());
}

}  // namespace
