#include <gtest/gtest.h>

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <QMenu>
#include <QPainter>
#include <QTest>

#include "core/text/number_text.h"
#include "graph_test_support.h"
#include "ui/graph/graph_actions.h"
#include "ui/graph/graph_cursor_panel.h"
#include "ui/graph/graph_page_printer.h"

namespace {

using graphtest::ChooseFile;
using graphtest::ModalAnswers;
using graphtest::Settle;

// Dark pixels of an image inside [left, right) x [top, bottom).
int DarkPixels(const QImage& image, int left, int top, int right, int bottom) {
  int dark = 0;
  for (int y = top; y < bottom; ++y) {
    for (int x = left; x < right; ++x) dark += qGray(image.pixel(x, y)) < 128;
  }
  return dark;
}

// Rows with dark pixels inside the rectangle: about a text line's height
// for every line of text there.
int TextRows(const QImage& image, int left, int top, int right, int bottom) {
  int rows = 0;
  for (int y = top; y < bottom; ++y) rows += DarkPixels(image, left, y, right, y + 1) > 0;
  return rows;
}

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

TEST_F(GraphCursorsTest, TheCursorsKeepTheirFramesThroughAResize) {
  FillAsExperiment(*window, std::vector<int16_t>(101, 0));
  TurnOn();
  window->resize(900, 500);
  Settle();
  const tornel::PlotRect inner = box->InnerRectangle();
  EXPECT_EQ(box->Cursors().Frame(0), 33);
  EXPECT_EQ(box->Cursors().Frame(1), 67);
  EXPECT_EQ(box->CursorX(0), inner.Left + 33 * inner.Width() / 100);
  EXPECT_EQ(box->CursorX(1), inner.Left + 67 * inner.Width() / 100);
}

TEST_F(GraphCursorsTest, ShowingTheFilteredDataKeepsTheFramesAndMeasuresTheFilteredValues) {
  const std::string raw = FillAsExperiment(*window, {0, 0, 0, 0});  // 1 s over 3 frames
  tornel::testing::WriteBytes(raw + "f", tornel::testing::Int16Bytes({0, 511, 1022, 0}));
  window->Record().HasFiltered = true;
  TurnOn();
  ASSERT_EQ(box->Cursors().Frame(0), 1);
  ASSERT_EQ(box->Cursors().Frame(1), 2);
  emit window->ChildMenus()[1]->aboutToShow();
  window->Actions().AShowFiltered->trigger();
  Settle();
  EXPECT_EQ(box->Cursors().Frame(0), 1);
  EXPECT_EQ(box->Cursors().Frame(1), 2);
  const tornel::CursorReadout& r = window->CursorPanel()->Readout();
  ASSERT_EQ(r.channels.size(), 1u);
  EXPECT_EQ(r.channels[0].at1, 1);  // code 511 at Base 1
  EXPECT_EQ(r.channels[0].max, 2);
}

TEST_F(GraphCursorsTest, InADependencyPlotTheCursorsLieOnTheAbscissa) {
  // ADC 1 against ADC 2 from 0 to 4 per unit; ADC 2 goes 0, 1, 2, 3, 4, 2.
  tornel::TGraphRecord& r = window->Record();
  const std::string raw = tornel::TGraphRecord::MakeTempName();
  tornel::testing::WriteBytes(
      raw, tornel::testing::Int16Bytes({0, 0, 10, 511, 20, 1022, 30, 1533, 40, 2044, 50, 1022}));
  r.Duration = r.TMax = 1;
  r.AcpMask = 0b11;
  r.AcpShowMask = 0;
  r.Deps[0] = {1, 1, 0};
  r.XMin = 0;
  r.XMax = 4;
  r.OrigFile = r.SampleFile = raw;
  window->RefreshPicture();
  Settle();
  TurnOn();
  // 4/3 and 8/3 per unit: frames 1 and 3 (frame 5 lies as near to 2 as frame 2).
  EXPECT_EQ(box->Cursors().Frame(0), 1);
  EXPECT_EQ(box->Cursors().Frame(1), 3);
  const tornel::PlotRect inner = box->InnerRectangle();
  EXPECT_EQ(box->CursorX(1), inner.Left + 3 * inner.Width() / 4);

  // Dragged to 2 per unit: the earlier of the frames there.
  const int to = inner.Left + inner.Width() / 2;
  QTest::mousePress(box, Qt::LeftButton, {}, {box->CursorX(1), MidY()});
  QTest::mouseMove(box, {to, MidY()});
  QTest::mouseRelease(box, Qt::LeftButton, {}, {to, MidY()});
  Settle();
  EXPECT_EQ(box->Cursors().Frame(1), 2);
  const tornel::CursorReadout& readout = window->CursorPanel()->Readout();
  ASSERT_EQ(readout.channels.size(), 2u);
  EXPECT_EQ(readout.channels[0].slot, 1);  // the abscissa first
  EXPECT_EQ(readout.channels[0].at2, 2);
  EXPECT_EQ(readout.channels[1].slot, 0);  // then the ordinate
  EXPECT_DOUBLE_EQ(readout.channels[1].at2, 20.0 / 511);
}

// The printed page with the cursors shown, on an image of an A4 sheet.
TEST_F(GraphCursorsTest, ThePrintedPageShowsTheCursorsAndTheirReadout) {
  FillAsExperiment(*window, std::vector<int16_t>(101, 0));
  const QSize sheet(2969, 2100);
  auto print = [&] {
    QImage image(sheet, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    window->PagePrinter().Paint(window->Record(), painter, sheet, true);
    return image;
  };
  const QImage without = print();
  const tornel::PrintLayout layoutWithout = window->PagePrinter().Layout(sheet);
  TurnOn();
  const QImage with = print();
  const tornel::PrintLayout layout = window->PagePrinter().Layout(sheet);
  const int x0 = layout.page.px + layout.margins.Left;
  const int y0 = layout.page.py + layout.margins.Top;
  const int width = layout.page.plot.Width - layout.margins.Left - layout.margins.Right;
  const int height = layout.page.plot.Height - layout.margins.Top - layout.margins.Bottom;
  // Frames 33 and 67 of 0..100: a solid and a dotted line across the plot.
  const int x1 = x0 + 33 * width / 100, x2 = x0 + 67 * width / 100;
  EXPECT_GT(DarkPixels(with, x1, y0, x1 + 1, y0 + height), height * 9 / 10);
  EXPECT_GT(DarkPixels(with, x2, y0, x2 + 1, y0 + height), height / 4);
  EXPECT_LT(DarkPixels(without, x2, y0, x2 + 1, y0 + height), height / 10);
  // Under the legend's line, the readout's thirteen: four times, then the
  // channel's name, unit and seven figures in a column.
  auto legendRows = [&](const QImage& image, const tornel::PrintLayout& l) {
    const int left = l.page.px + l.page.plot.Width;
    return TextRows(image, left, l.page.py, left + l.page.legend.Width,
                    l.page.py + l.page.legend.Height);
  };
  const int legendLine = legendRows(without, layoutWithout);
  EXPECT_GT(legendLine, 0);
  EXPECT_GT(legendRows(with, layout), 12 * legendLine);
}

TEST_F(GraphCursorsTest, TheExportedPictureShowsTheCursorsAndTheirReadout) {
  FillAsExperiment(*window, std::vector<int16_t>(101, 0));
  ModalAnswers user;
  auto exported = [&](const char* name) {
    const QString png = QString::fromStdString(dir.File(name));
    user.Then(ChooseFile(png));
    window->Actions().AExportImage->trigger();
    return QImage(png).convertToFormat(QImage::Format_RGB32);
  };
  const QImage without = exported("plain.png");
  TurnOn();
  const QImage with = exported("cursors.png");
  ASSERT_FALSE(with.isNull());
  auto reds = [](const QImage& image) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
      for (int x = 0; x < image.width(); ++x) {
        const QRgb p = image.pixel(x, y);
        n += qRed(p) > 200 && qGreen(p) < 60 && qBlue(p) < 60;
      }
    }
    return n;
  };
  EXPECT_EQ(reds(without), 0);
  EXPECT_GT(reds(with), 100) << "the active cursor";
  // The legend's column, above the caption: the legend's line, and with the
  // cursors the readout's lines under it.
  const int w = with.width(), h = with.height();
  const int legendLine = TextRows(without, w - 60, 0, w, h - 60);
  EXPECT_GT(legendLine, 0);
  EXPECT_GT(TextRows(with, w / 2 + 5, 0, w, h - 60), 12 * legendLine);
  EXPECT_EQ(user.Unexpected(), 0);
}

}  // namespace
