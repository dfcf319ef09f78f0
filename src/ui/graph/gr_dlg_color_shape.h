#pragma once

#include <QFrame>

#include "core/config/color_names.h"

// A colour swatch of the settings dialog. A click with any mouse button opens
// the colour dialog on the swatch's colour; the swatch takes the colour
// chosen there and keeps its own when the colour dialog is cancelled. The
// stored value is kept exactly (a system colour stays one) until the user
// picks another.
class GrDlgColorShape : public QFrame {
  Q_OBJECT

public:
  explicit GrDlgColorShape(const QString& name, QWidget* parent = nullptr);

  tornel::Color Value() const { return color_; }
  void SetValue(tornel::Color color);

protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;

private:
  tornel::Color color_ = 0;
};
