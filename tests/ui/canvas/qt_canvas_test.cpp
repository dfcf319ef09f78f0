#include "ui/canvas/qt_canvas.h"

#include <gtest/gtest.h>

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

#include "core/config/color_names.h"
#include "tests/support/temp_dir.h"
#include "ui/canvas/qt_color.h"

namespace tornel {
namespace {

constexpr double kDotsPerMeterPerDpi = 1 / 0.0254;

QImage WhiteImage(int w, int h, int dpi = 96) {
  QImage image(w, h, QImage::Format_RGB32);
  image.setDotsPerMeterX(static_cast<int>(dpi * kDotsPerMeterPerDpi + 0.5));
  image.setDotsPerMeterY(static_cast<int>(dpi * kDotsPerMeterPerDpi + 0.5));
  image.fill(Qt::white);
  return image;
}

bool IsInk(QRgb p) { return qGray(p) < 128; }

// Rows of ink in one column.
int InkRows(const QImage& image, int x) {
  int rows = 0;
  for (int y = 0; y < image.height(); ++y) rows += IsInk(image.pixel(x, y));
  return rows;
}

// Height of the ink of everything drawn.
int InkHeight(const QImage& image) {
  int top = image.height(), bottom = -1;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (IsInk(image.pixel(x, y))) {
        top = std::min(top, y);
        bottom = std::max(bottom, y);
      }
    }
  }
  return bottom - top + 1;
}

QFont LabelFont() { return QFont("DejaVu Sans", 9); }

QFont PixelFont() {
  QFont font("DejaVu Sans");
  font.setPixelSize(12);  // as a widget's font may come
  return font;
}

TEST(QtCanvas, FontsKeepTheirPhysicalSizeOnA1200DpiPrinter) {
  testing::TempDir dir;
  for (const QFont& font : {LabelFont(), PixelFont()}) {
    QImage screen = WhiteImage(100, 40);
    QPainter sp(&screen);
    QtCanvas sc(sp, font);
    const int screenHeight = sc.TextExtent("1").cy;

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(dir.File("page.pdf")));
    ASSERT_EQ(printer.resolution(), 1200);
    QPainter pp(&printer);
    QtCanvas pc(pp, font);
    EXPECT_TRUE(pc.IsPrinter());
    EXPECT_FALSE(sc.IsPrinter());
    // 1200 / 96 = 12.5 times the screen's pixels for the same height on paper.
    const double ratio = static_cast<double>(pc.TextExtent("1").cy) / screenHeight;
    EXPECT_NEAR(ratio, 12.5, 1.5) << screenHeight << " " << pc.TextExtent("1").cy;
    pp.end();
  }
}

TEST(QtCanvas, DrawnTextHasThePhysicalSizeOfTheScreensAtHighResolution) {
  for (const QFont& font : {LabelFont(), PixelFont()}) {
    QImage screen = WhiteImage(60, 30);
    QImage paper = WhiteImage(750, 375, 1200);
    for (QImage* image : {&screen, &paper}) {
      QPainter painter(image);
      QtCanvas canvas(painter, font);
      canvas.TextOut(2, 2, "1", 0);
    }
    // A 9 pt digit is about 9 screen pixels high.
    const int small = InkHeight(screen);
    EXPECT_GT(small, 4);
    EXPECT_NEAR(static_cast<double>(InkHeight(paper)) / small, 12.5, 2.0) << small;
  }
}

TEST(QtCanvas, PenWidthsGrowWithTheDeviceResolution) {
  struct Case {
    int dpi, width, rows;
  };
  for (Case c : {Case{96, 1, 1}, Case{96, 2, 2}, Case{1200, 1, 12}, Case{1200, 2, 25}}) {
    QImage image = WhiteImage(200, 200, c.dpi);
    QPainter painter(&image);
    QtCanvas canvas(painter, LabelFont());
    canvas.SetPen({0, c.width, PenStyle::Solid, PenMode::Copy});
    canvas.Line(10, 100, 190, 100);
    painter.end();
    EXPECT_NEAR(InkRows(image, 100), c.rows, 1) << c.dpi << " " << c.width;
  }
}

TEST(QtCanvas, AnInvertingPenErasesWhatItDrewTheFirstTime) {
  QImage image = WhiteImage(50, 50);
  image.setPixel(25, 10, qRgb(0, 0, 255));
  const QImage before = image.copy();
  QPainter painter(&image);
  QtCanvas canvas(painter, LabelFont());
  canvas.SetPen({0x0000FF, 1, PenStyle::Solid, PenMode::Invert});
  canvas.Line(25, 5, 25, 40);
  painter.end();
  EXPECT_EQ(QColor(image.pixel(25, 20)), QColor(Qt::black));
  EXPECT_EQ(QColor(image.pixel(25, 10)), QColor(255, 255, 0));
  painter.begin(&image);
  QtCanvas again(painter, LabelFont());
  again.SetPen({0, 1, PenStyle::Solid, PenMode::Invert});
  again.Line(25, 5, 25, 40);
  painter.end();
  EXPECT_EQ(image, before);
}

TEST(QtCanvas, TheClipCutsOffAndClearClipGivesBackThePaintersOwn) {
  QImage image = WhiteImage(100, 100);
  QPainter painter(&image);
  painter.setClipRect(0, 0, 100, 50);
  QtCanvas canvas(painter, LabelFont());
  canvas.SetClipRect({10, 10, 40, 90});
  const Point line[] = {{0, 20}, {99, 20}};
  canvas.Polyline(line);
  canvas.ClearClip();
  canvas.Line(0, 30, 99, 30);
  canvas.Line(0, 70, 99, 70);  // outside the painter's own clip
  painter.end();
  EXPECT_FALSE(IsInk(image.pixel(5, 20)));
  EXPECT_TRUE(IsInk(image.pixel(20, 20)));
  EXPECT_FALSE(IsInk(image.pixel(45, 20)));
  EXPECT_TRUE(IsInk(image.pixel(80, 30)));
  EXPECT_FALSE(IsInk(image.pixel(80, 70)));
}

TEST(QtCanvas, ThePainterGetsItsOwnStateBack) {
  QImage image = WhiteImage(100, 100, 1200);
  QPainter painter(&image);
  painter.setPen(QPen(Qt::red, 3));
  QFont font("DejaVu Sans");
  font.setPixelSize(20);
  painter.setFont(font);
  {
    QtCanvas canvas(painter, LabelFont());
    canvas.SetPen({0, 2, PenStyle::Dotted, PenMode::Invert});
    canvas.SetClipRect({0, 0, 10, 10});
    EXPECT_EQ(painter.font().pixelSize(), 150);  // 9 pt at 1200 dpi
  }
  EXPECT_EQ(painter.pen(), QPen(Qt::red, 3));
  EXPECT_EQ(painter.font().pixelSize(), 20);
  EXPECT_EQ(painter.compositionMode(), QPainter::CompositionMode_SourceOver);
  EXPECT_FALSE(painter.hasClipping());
}

TEST(QtColor, StoredColoursDrawAsTheirValuesAndSystemColoursAsTheScheme) {
  struct Case {
    const char* name;
    QColor color;
  };
  const Case cases[] = {{"clMaroon", QColor(128, 0, 0)},
                        {"clBlue", QColor(0, 0, 255)},
                        {"$00336699", QColor(0x99, 0x66, 0x33)},
                        {"clBtnFace", QColor(212, 208, 200)},
                        {"clNone", QColor(0, 0, 0)}};
  for (const Case& c : cases) {
    EXPECT_EQ(ToQColor(*StringToColor(c.name)), c.color) << c.name;
  }
}

TEST(QtCanvas, APdfWriterKeepsItsColours) {
  testing::TempDir dir;
  QPdfWriter pdf(QString::fromStdString(dir.File("x.pdf")));
  QPainter painter(&pdf);
  QtCanvas canvas(painter, LabelFont());
  EXPECT_FALSE(canvas.IsPrinter());
  EXPECT_TRUE(QtCanvas(painter, LabelFont(), true).IsPrinter());
}

}  // namespace
}  // namespace tornel
