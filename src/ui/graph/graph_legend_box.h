#pragma once

#include <QWidget>

namespace tornel {
class TGraphRecord;
}

// LegendPaintBox: the record's legend, drawn by the plot engine from the
// top-left corner.
class GraphLegendBox : public QWidget {
  Q_OBJECT

public:
  GraphLegendBox(tornel::TGraphRecord& record, QWidget* parent = nullptr);

  // The width the legend needs in the box's font.
  int NeededWidth() const;

protected:
  void paintEvent(QPaintEvent* event) override;

private:
  tornel::TGraphRecord& record_;
};
