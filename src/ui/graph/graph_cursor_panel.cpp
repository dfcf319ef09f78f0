#include "ui/graph/graph_cursor_panel.h"

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
  setPlainText(QString::fromStdString(tornel::CursorReadoutText(
      record_, readout_, tornel::SystemDecimalSeparator(), kShownDecimals)));
}

QString GraphCursorPanel::CopyText() const {
  return QString::fromStdString(
      tornel::CursorReadoutText(record_, readout_, tornel::SystemDecimalSeparator()));
}
