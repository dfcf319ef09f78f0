#pragma once

#include <QFont>
#include <QImage>
#include <QSize>
#include <QString>
#include <optional>

#include "core/analysis/transient_analysis.h"
#include "core/graph/cursor_pair.h"

class QPainter;
class QRect;

namespace tornel {

class TGraphRecord;

// A record drawn as the graph window shows it, for image files: the plot,
// the legend at its right, and, when their texts are not empty, the base
// values and the caption below the plot.
struct RecordPicture {
  QSize size{800, 500};  // 96 dpi pixels; a PDF page has the same physical size
  QFont font;            // labels, titles and legend
  QString baseText;
  QFont baseFont;
  QString caption;
  QFont captionFont;
  // When shown: their lines over the plot, their readout under the legend.
  std::optional<CursorPair> cursors;
  QString cursorReadout;
  // Lines of tab-separated cells under the legend (a spectrum's harmonics).
  QString legendTable;
  // When shown: an analysis's marks over the plot.
  std::optional<TransientAnalysis> marks;
};

// Paints the picture, on white, into area (device units) of the painter's
// device; margins, the legend width and text heights follow the device's
// resolution.
void PaintRecordPicture(TGraphRecord& record, QPainter& painter, const QRect& area,
                        const RecordPicture& picture);

QImage RenderRecordImage(TGraphRecord& record, const RecordPicture& picture);

// Writes a PNG, SVG or PDF file chosen by the suffix of path, replacing it
// only once complete. Throws UserError when the suffix is none of them or the
// file cannot be written.
void ExportRecordPicture(TGraphRecord& record, const QString& path, const RecordPicture& picture);

}  // namespace tornel
