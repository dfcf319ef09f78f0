#pragma once

#include <QPlainTextEdit>
#include <string>

#include "core/graph/cursor_readout.h"

namespace tornel {
class TGraphRecord;
}

// The cursors' readout beside the legend ("CursorPanel"): the times and, per
// shown channel, the values at both cursors and the statistics between them.
class GraphCursorPanel : public QPlainTextEdit {
  Q_OBJECT

public:
  explicit GraphCursorPanel(const tornel::TGraphRecord& record, QWidget* parent = nullptr);

  // Measures the record between the two frames and shows the result.
  void Measure(int64_t frame1, int64_t frame2);
  const tornel::CursorReadout& Readout() const { return readout_; }
  // Every digit, tab-separated, with the locale's decimal sign.
  QString CopyText() const;
  // The shown figures before they are turned, as pages and pictures lay
  // them out themselves.
  const std::string& ShownText() const { return shown_; }

private:
  const tornel::TGraphRecord& record_;
  tornel::CursorReadout readout_;
  std::string shown_;
};
