#include <gtest/gtest.h>

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QRegularExpression>
#include <QTextEdit>

#include "graph_test_support.h"
#include "ui/graph/graph_actions.h"
#include "ui/graph/graph_page_printer.h"

namespace {

using graphtest::ChooseFile;
using graphtest::ModalAnswers;
using graphtest::Settle;

class GraphOutputTest : public graphtest::GraphWindowTest {
protected:
  void SetUp() override {
    table.ChanName[0] = "Uя";
    window = NewWindow();
    FillAsExperiment(*window, Sine(500));
  }
  std::unique_ptr<TGraphFrm> window;
};

TEST_F(GraphOutputTest, SaveReopenAndGrabGiveTheSamePicture) {
  window->PaintBox()->RenderNow();
  const QImage shown = window->PaintBox()->grab().toImage();
  const QString path = QString::fromStdString(dir.File("picture.dta"));
  window->SaveDataFile(path);

  auto reopened = NewWindow();
  reopened->OpenDataFile(path);
  Settle();
  const QImage again = reopened->PaintBox()->grab().toImage();
  ASSERT_EQ(again.size(), shown.size());
  EXPECT_EQ(again, shown);

  // Not two empty plots: the curve is drawn in ADC 1's default colour.
  const QColor maroon(0x80, 0, 0);
  int curve = 0;
  for (int y = 0; y < again.height(); ++y) {
    for (int x = 0; x < again.width(); ++x) curve += again.pixelColor(x, y) == maroon;
  }
  EXPECT_GT(curve, 100);
}

TEST_F(GraphOutputTest, PrintsOnePageToAPdfFile) {
  const QString pdf = QString::fromStdString(dir.File("page.pdf"));
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(pdf);
  printer.setPageSize(QPageSize(QPageSize::A4));
  printer.setPageOrientation(QPageLayout::Landscape);
  window->setWindowTitle("Переходная характеристика 1");
  window->PrintTo(printer);
  EXPECT_FALSE(printer.fullPage()) << "the shared printer is left as it was";

  const QByteArray bytes = QByteArray::fromStdString(tornel::testing::ReadBytes(pdf.toStdString()));
  ASSERT_TRUE(bytes.startsWith("%PDF"));
  EXPECT_EQ(
      bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r") + bytes.count("/Type /Page "), 1)
      << "one page";
  // Landscape A4 in points.
  const QRegularExpression mediaBox(R"(/MediaBox \[0 0 (\d+(\.\d+)?) (\d+(\.\d+)?)\])");
  const auto match = mediaBox.match(QString::fromLatin1(bytes));
  ASSERT_TRUE(match.hasMatch());
  EXPECT_NEAR(match.captured(1).toDouble(), 842, 1);
  EXPECT_NEAR(match.captured(3).toDouble(), 595, 1);
}

// The page as APrint lays it out, painted on an image of a sheet of A4 at 10
// dots per millimetre, so that each part can be found where it belongs.
TEST_F(GraphOutputTest, ThePrintedPageKeepsTheMarginsFreeAndIsAllBlack) {
  const GraphPagePrinter page = window->PagePrinter();
  const QSize sheet(2969, 2100);
  QImage image(sheet, QImage::Format_RGB32);
  image.fill(Qt::white);
  {
    QPainter painter(&image);
    page.Paint(window->Record(), painter, sheet, true);
  }
  // Margins of the page setup: left 45 mm, right 10, top 30, bottom 10.
  auto blankOutside = [&](int left, int top, int right, int bottom) {
    for (int y = 0; y < sheet.height(); ++y) {
      for (int x = 0; x < sheet.width(); ++x) {
        if (x >= left && x < right && y >= top && y < bottom) continue;
        if (image.pixel(x, y) != qRgb(255, 255, 255)) return false;
      }
    }
    return true;
  };
  EXPECT_TRUE(blankOutside(449, 300, 2969 - 100, 2100 - 100));
  int dark = 0;
  bool grey = true;
  for (int y = 0; y < sheet.height(); ++y) {
    for (int x = 0; x < sheet.width(); ++x) {
      const QRgb p = image.pixel(x, y);
      grey = grey && qRed(p) == qGreen(p) && qGreen(p) == qBlue(p);
      dark += qGray(p) < 128;
    }
  }
  EXPECT_TRUE(grey) << "no colour on a printed page";
  EXPECT_GT(dark, 5000) << "the plot, legend and texts are there";

  // The plot's frame: its left edge one dot left of the inner rectangle,
  // x = ml + trunc(2969 * 60 / CW) - 1.
  const tornel::PrintLayout layout = page.Layout(sheet);
  const int frameX = layout.page.px + layout.margins.Left - 1;
  const int frameY = layout.page.py + layout.margins.Top + 50;
  EXPECT_LT(qGray(image.pixel(frameX, frameY)), 128);
}

TEST_F(GraphOutputTest, CopyPutsTheWindowsPictureOnTheClipboard) {
  QGuiApplication::clipboard()->clear();
  window->Actions().ACopy->trigger();
  const QImage copied = QGuiApplication::clipboard()->image();
  ASSERT_FALSE(copied.isNull());
  EXPECT_EQ(copied.size(), window->size());
  EXPECT_EQ(copied.convertToFormat(QImage::Format_RGB32),
            window->grab().toImage().convertToFormat(QImage::Format_RGB32));
}

TEST_F(GraphOutputTest, ExportWritesTheChosenImageKind) {
  ModalAnswers user;
  const QString png = QString::fromStdString(dir.File("plot"));  // PNG unless told otherwise
  user.Then(ChooseFile(png));
  window->Actions().AExportImage->trigger();
  const QImage written(png + ".png");
  ASSERT_FALSE(written.isNull());
  EXPECT_EQ(written.size(), window->size());

  // A narrow window need not give a narrow picture.
  user.Then([png](QWidget* w) {
    auto* sizes = w->findChild<QComboBox*>("ImageSize");
    ASSERT_NE(sizes, nullptr);
    sizes->setCurrentIndex(sizes->findText("1024×768"));
    ChooseFile(png + "-wide.png")(w);
  });
  window->Actions().AExportImage->trigger();
  EXPECT_EQ(QImage(png + "-wide.png").size(), QSize(1024, 768));

  const QString svg = QString::fromStdString(dir.File("plot.svg"));
  user.Then(ChooseFile(svg));
  window->Actions().AExportImage->trigger();
  EXPECT_NE(tornel::testing::ReadBytes(svg.toStdString()).find("<svg"), std::string::npos);

  const QString pdf = QString::fromStdString(dir.File("plot.pdf"));
  user.Then(ChooseFile(pdf));
  window->Actions().AExportImage->trigger();
  EXPECT_EQ(tornel::testing::ReadBytes(pdf.toStdString()).substr(0, 4), "%PDF");
  EXPECT_EQ(user.Unexpected(), 0);
}

}  // namespace
