#include "ui/graph/graph_cursor_panel.h"

#include <algorithm>

#include "core/records/graph_record.h"
#include "core/text/number_text.h"

namespace {

constexpr int kShownDecimals = 4;

}  // namespace

GraphCursorPanel::GraphCursorPanel(const tornel::TGraphRecord& record, QWidget* parent)
    : QPlainTextEdit(parent), record_(record) {
  setObjectName(QStringLiteral("CursorPanel"));
  setReadOnly(true);
  setLineWrapMode(QPlainTextEdit::NoWrap);
}

void GraphCursorPanel::Measure(int64_t frame1, int64_t frame2) {
  readout_ = tornel::MeasureCursors(record_, frame1, frame2);
  // Turned like the printed readout: a column per channel keeps the panel
  // narrow enough to stand beside the legend without scrolling.
  shown_ = tornel::CursorReadoutText(record_, readout_, tornel::SystemDecimalSeparator(),
                                     kShownDecimals);
  const QString text = QString::fromStdString(tornel::TurnedCursorReadoutText(shown_));
  int widest = 0;
  for (const QString& line : text.split(QLatin1Char('\n'))) {
    for (const QString& cell : line.split(QLatin1Char('\t'))) {
      widest = std::max(widest, fontMetrics().horizontalAdvance(cell));
    }
  }
  setTabStopDistance(widest + fontMetrics().horizontalAdvance(QStringLiteral("  ")));
  setPlainText(text);
}

QString GraphCursorPanel::CopyText() const {
  return QString::fromStdString(
      tornel::CursorReadoutText(record_, readout_, tornel::SystemDecimalSeparator()));
}
