#include "ui/canvas/record_picture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <cmath>

#include "core/records/graph_record.h"
#include "core/records/sample_file_writer.h"
#include "core/text/user_error.h"
#include "tests/support/temp_dir.h"

namespace tornel {
namespace {

const QString kGolden =
    QStringLiteral(TORNEL_SOURCE_DIR "/tests/ui/canvas/golden/small_record.png");

// ADC 1, ADC 2 and DAC 1 recorded: a sine and a cosine, shown against time
// (ADC 1, DAC 1) and against each other (ADC 2 over ADC 1).
void SmallRecord(TGraphRecord& r, const std::string& path) {
  r.AcpMask = 0b11;
  r.CapMask = 0b1;
  r.AcpShowMask = 0b1;
  r.CapShowMask = 0b1;
  r.Deps[0] = {1, 0, 1};
  r.Duration = r.TMax = 1.0;
  r.ChanName[0] = "Ia";
  r.ChanName[1] = "n";
  r.ChanName[16] = "U";
  r.Base.fill(1.0);
  r.RealBase.fill(1.0);
  r.ChanColor[0] = 0x0000FF;
  r.ChanColor[16] = 0x008000;
  r.DepColor[0] = 0xFF0000;
  SampleFileWriter<int16_t> writer(path);
  for (int i = 0; i < 400; ++i) {
    const double a = 2 * M_PI * i / 200;
    writer.Write(static_cast<int16_t>(400 * std::sin(a)));
    writer.Write(static_cast<int16_t>(300 * std::cos(a)));
    writer.Write(static_cast<int16_t>(std::min(2 * i, 300)));
  }
  writer.Close();
  r.SampleFile = path;
}

RecordPicture SmallPicture() {
  RecordPicture picture;
  picture.size = QSize(520, 320);
  picture.font = QFont("DejaVu Sans", 8);
  return picture;
}

// Pixels whose colour differs by more than a little (font smoothing may
// vary between builds of the font libraries).
int DifferentPixels(const QImage& a, const QImage& b) {
  int count = 0;
  for (int y = 0; y < a.height(); ++y) {
    for (int x = 0; x < a.width(); ++x) {
      const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
      const int d = std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                              std::abs(qBlue(p) - qBlue(q))});
      count += d > 48;
    }
  }
  return count;
}

TEST(RecordPicture, ASmallRecordLooksLikeTheGoldenPicture) {
  testing::TempDir dir;
  TGraphRecord record;
  SmallRecord(record, dir.File("samples"));
  const QImage image =
      RenderRecordImage(record, SmallPicture()).convertToFormat(QImage::Format_RGB32);
  if (qEnvironmentVariableIsSet("TORNEL_UPDATE_GOLDEN")) image.save(kGolden);
  const QImage golden = QImage(kGolden).convertToFormat(QImage::Format_RGB32);
  ASSERT_FALSE(golden.isNull()) << kGolden.toStdString();
  ASSERT_EQ(golden.size(), image.size());
  const int different = DifferentPixels(image, golden);
  if (different > 0) image.save(QDir::tempPath() + "/small_record_actual.png");
  EXPECT_LE(different, image.width() * image.height() / 500) << "see small_record_actual.png";
}

TEST(RecordPicture, EachFormatIsWrittenWithTheRequestedSize) {
  testing::TempDir dir;
  TGraphRecord record;
  SmallRecord(record, dir.File("samples"));
  RecordPicture picture = SmallPicture();
  picture.caption = "Рисунок 1";

  const QString png = QString::fromStdString(dir.File("plot.png"));
  ExportRecordPicture(record, png, picture);
  EXPECT_EQ(QImage(png).size(), QSize(520, 320));

  const QString svg = QString::fromStdString(dir.File("plot.svg"));
  ExportRecordPicture(record, svg, picture);
  QFile svgFile(svg);
  ASSERT_TRUE(svgFile.open(QIODevice::ReadOnly));
  const QByteArray svgText = svgFile.readAll();
  EXPECT_TRUE(svgText.contains("<svg"));
  EXPECT_TRUE(svgText.contains("viewBox=\"0 0 520 320\""));
  EXPECT_TRUE(svgText.contains("polyline"));

  const QString pdf = QString::fromStdString(dir.File("plot.pdf"));
  ExportRecordPicture(record, pdf, picture);
  QFile pdfFile(pdf);
  ASSERT_TRUE(pdfFile.open(QIODevice::ReadOnly));
  const QByteArray pdfText = pdfFile.readAll();
  EXPECT_TRUE(pdfText.startsWith("%PDF"));
  // 520 x 320 pixels at 96 dpi are 390 x 240 points.
  EXPECT_TRUE(pdfText.contains("/MediaBox [0 0 390.000000 240.000000]"))
      << pdfText.left(2000).toStdString();
}

TEST(RecordPicture, AnUnknownSuffixOrAnUnwritablePathIsRefusedAndLeavesNoFile) {
  testing::TempDir dir;
  TGraphRecord record;
  SmallRecord(record, dir.File("samples"));
  const QString bmp = QString::fromStdString(dir.File("plot.bmp"));
  try {
    ExportRecordPicture(record, bmp, SmallPicture());
    ADD_FAILURE() << "no error";
  } catch (const UserError& e) {
    EXPECT_THAT(e.what(), ::testing::HasSubstr("Неизвестный формат изображения"));
  }
  EXPECT_FALSE(QFile::exists(bmp));
  // A path under a regular file cannot be created, even by root.
  const std::string under = dir.File("samples") + "/plot.png";
  try {
    ExportRecordPicture(record, QString::fromStdString(under), SmallPicture());
    ADD_FAILURE() << "no error";
  } catch (const UserError& e) {
    EXPECT_EQ(std::string(e.what()), "Не удалось создать файл " + under);
  }
}

// The lowest row crossed by a long black line: the bottom axis.
int BottomAxisRow(const QImage& image) {
  for (int y = image.height() - 1; y >= 0; --y) {
    int ink = 0;
    for (int x = 0; x < image.width(); ++x) ink += qGray(image.pixel(x, y)) < 128;
    if (ink > image.width() / 2) return y;
  }
  return -1;
}

int InkRows(const QImage& image, int top, int bottom) {
  int ink = 0;
  for (int y = top; y < bottom; ++y) {
    for (int x = 0; x < image.width(); ++x) ink += qGray(image.pixel(x, y)) < 128;
  }
  return ink;
}

TEST(RecordPicture, BaseValuesAndCaptionGoBelowThePlot) {
  testing::TempDir dir;
  TGraphRecord record;
  SmallRecord(record, dir.File("samples"));
  RecordPicture picture = SmallPicture();
  const QImage plain = RenderRecordImage(record, picture);
  picture.baseText = "Базовые величины\nIa = 1.00 A";
  picture.caption = "Рисунок 1";
  const QImage full = RenderRecordImage(record, picture);
  // Bottom margin 20: the axis is on row 300 of 320, or, when base values
  // (at least 54 rows) and a caption (at least 43) take their room, at
  // most at row 320 - 97 - 20.
  EXPECT_EQ(BottomAxisRow(plain), 300);
  EXPECT_LE(BottomAxisRow(full), 203);
  EXPECT_GT(BottomAxisRow(full), 150);
  EXPECT_GT(InkRows(full, 300, 320), 20);  // the caption
}

}  // namespace
}  // namespace tornel
