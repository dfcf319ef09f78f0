#include "ui/scheme/graph_block_picture.h"

#include <QPainter>

#include "core/plot/plot_page.h"
#include "core/records/graph_record.h"
#include "ui/canvas/qt_canvas.h"
#include "ui/graph/record_summaries.h"

namespace {

// Around the plot rectangle of the block: room for the labels.
constexpr tornel::PlotMargins kBlockPlotMargins{50, 10, 20, 25};

}  // namespace

GraphBlockPicture::Key GraphBlockPicture::KeyOf(const tornel::TGraphRecord& record, QSize size,
                                                qreal ratio) {
  Key key;
  key.size = size;
  key.ratio = ratio;
  key.settings = tornel::TakeRecordSettings(record);
  key.duration = record.Duration;
  key.acpMask = record.AcpMask;
  key.capMask = record.CapMask;
  key.sampleFile = record.SampleFile;
  std::error_code error;
  const auto bytes = std::filesystem::file_size(record.SampleFile, error);
  if (!error) key.fileSize = static_cast<int64_t>(bytes);
  const auto time = std::filesystem::last_write_time(record.SampleFile, error);
  if (!error) key.fileTime = time;
  return key;
}

void GraphBlockPicture::Render(tornel::TGraphRecord& record, const QFont& font) {
  // A summary is built here only when it takes no progress window; after a
  // calculation the scheme window has built it already.
  if (record.Summaries.PendingBytes(record) < kSummaryProgressBytes)
    record.Summaries.Prepare(record);
  const QSize size = key_->size;
  image_ = QImage(size * key_->ratio, QImage::Format_ARGB32_Premultiplied);
  image_.setDevicePixelRatio(key_->ratio);
  // Transparent, so that the block's frame shows through at the edges.
  image_.fill(Qt::transparent);
  QPainter painter(&image_);
  tornel::QtCanvas canvas(painter, font, false);
  tornel::PageLayout layout;
  layout.plot = {size.width(), size.height()};
  tornel::DrawPlot(record, canvas, kBlockPlotMargins, layout);
  ++renders_;
}

void GraphBlockPicture::Paint(QPainter& painter, tornel::TGraphRecord& record, QPoint at,
                              QSize size, const QFont& font) {
  if (size.isEmpty()) return;
  const qreal ratio = painter.device()->devicePixelRatioF();
  Key key = KeyOf(record, size, ratio);
  if (!key_ || !(*key_ == key)) {
    key_ = std::move(key);
    Render(record, font);
  }
  painter.drawImage(at, image_);
}
