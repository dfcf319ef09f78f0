#include "ui/canvas/record_picture.h"

#include <QFileInfo>
#include <QFontMetrics>
#include <QPainter>
#include <QPdfWriter>
#include <QRect>
#include <QSaveFile>
#include <QSvgGenerator>
#include <algorithm>

#include "core/analysis/transient_marks.h"
#include "core/graph/cursor_drawing.h"
#include "core/graph/legend_table.h"
#include "core/graph/print_layout.h"
#include "core/plot/plot_legend.h"
#include "core/plot/plot_page.h"
#include "core/records/file_handle.h"
#include "core/records/graph_record.h"
#include "core/text/user_error.h"
#include "ui/canvas/memo_text.h"
#include "ui/canvas/qt_canvas.h"

namespace tornel {
namespace {

// The graph window's panels, in 96 dpi pixels.
constexpr int kLegendWidth = 65;
constexpr int kBaseHeight = 54;
constexpr int kCaptionHeight = 43;
constexpr int kPdfResolution = 1200;

int Scaled(int pixels, qreal scale) { return static_cast<int>(pixels * scale); }

// Height of a centred, word-wrapped text block, at least `least`.
int TextHeight(const QString& text, const QFont& font, const QPaintDevice& device, int width,
               int least) {
  if (text.isEmpty()) return 0;
  const QFontMetrics metrics(QtCanvas::FontForDevice(font, device), &device);
  const QRect bounds = metrics.boundingRect(QRect(0, 0, std::max(1, width), 1 << 20),
                                            Qt::AlignCenter | Qt::TextWordWrap, text);
  return std::max(least, bounds.height() + metrics.height() / 2);
}

}  // namespace

void PaintRecordPicture(TGraphRecord& record, QPainter& painter, const QRect& area,
                        const RecordPicture& picture) {
  const QPaintDevice& device = *painter.device();
  const qreal scale = QtCanvas::DeviceScale(device);
  painter.fillRect(area, Qt::white);
  QtCanvas canvas(painter, picture.font);

  record.RecountRecord();
  int legendWidth = std::max(Scaled(kLegendWidth, scale), LegendExtent(record, canvas).cx);
  const std::string readout = picture.cursorReadout.toStdString();
  if (picture.cursors) legendWidth = std::max(legendWidth, CursorReadoutExtent(canvas, readout).cx);
  const std::string table = picture.legendTable.toStdString();
  if (!table.empty()) legendWidth = std::max(legendWidth, LegendTableExtent(canvas, table).cx);
  const PlotRect whole{area.left(), area.top(), area.right() + 1, area.bottom() + 1};
  const int plotWidth = MakePictureLayout(whole, legendWidth, 0, 0).plot.Width;
  const PageLayout layout = MakePictureLayout(
      whole, legendWidth,
      TextHeight(picture.baseText, picture.baseFont, device, plotWidth, Scaled(kBaseHeight, scale)),
      TextHeight(picture.caption, picture.captionFont, device, area.width(),
                 Scaled(kCaptionHeight, scale)));
  const PlotMargins margins = ScaledPlotMargins(scale);
  const PageAreas areas = DrawPlot(record, canvas, margins, layout);
  if (picture.marks) DrawTransientMarksOnPage(record, canvas, margins, areas, *picture.marks);
  if (picture.cursors) DrawCursorsOnPage(record, canvas, margins, areas, *picture.cursors, readout);
  if (!table.empty()) DrawLegendTable(record, canvas, areas.legend, table);
  WriteMemoText(painter, areas.base, picture.baseText, picture.baseFont, Qt::AlignVCenter);
  WriteMemoText(painter, areas.caption, picture.caption, picture.captionFont, Qt::AlignVCenter);
}

QImage RenderRecordImage(TGraphRecord& record, const RecordPicture& picture) {
  QImage image(picture.size, QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  PaintRecordPicture(record, painter, image.rect(), picture);
  return image;
}

void ExportRecordPicture(TGraphRecord& record, const QString& path, const RecordPicture& picture) {
  const QString suffix = QFileInfo(path).suffix().toLower();
  if (suffix != "png" && suffix != "svg" && suffix != "pdf") {
    throw UserError("Неизвестный формат изображения: " + path.toStdString() +
                    ". Укажите файл .png, .svg или .pdf");
  }
  if (picture.size.width() <= 0 || picture.size.height() <= 0) {
    throw UserError("Размер изображения должен быть больше нуля");
  }
  QSaveFile file(path);
  if (!file.open(QIODevice::WriteOnly)) {
    ThrowCreateError(path.toStdString());
  }
  if (suffix == "png") {
    if (!RenderRecordImage(record, picture).save(&file, "PNG")) ThrowWriteError(path.toStdString());
  } else if (suffix == "svg") {
    QSvgGenerator svg;
    svg.setOutputDevice(&file);
    svg.setSize(picture.size);
    svg.setViewBox(QRect(QPoint(0, 0), picture.size));
    svg.setResolution(96);
    svg.setTitle(QFileInfo(path).completeBaseName());
    QPainter painter(&svg);
    PaintRecordPicture(record, painter, QRect(QPoint(0, 0), picture.size), picture);
    painter.end();
  } else {
    QPdfWriter pdf(&file);
    pdf.setResolution(kPdfResolution);
    pdf.setPageMargins(QMarginsF(0, 0, 0, 0));
    pdf.setPageSize(QPageSize(QSizeF(picture.size) * 72.0 / 96.0, QPageSize::Point, QString(),
                              QPageSize::ExactMatch));
    QPainter painter(&pdf);
    const QRect page(0, 0, pdf.width(), pdf.height());
    PaintRecordPicture(record, painter, page, picture);
    painter.end();
  }
  if (!file.commit()) ThrowWriteError(path.toStdString());
}

}  // namespace tornel
