#include "ui/graph/gr_dlg_channel_page.h"

#include <QCheckBox>
#include <QGridLayout>

#include "ui/graph/gr_dlg_color_shape.h"

GrDlgChannelPage::GrDlgChannelPage(int firstNumber, QWidget* parent) : QWidget(parent) {
  auto* grid = new QGridLayout(this);
  for (int i = 0; i < kChannels; ++i) {
    const int n = firstNumber + i;
    auto* shape = new GrDlgColorShape(QStringLiteral("Shape%1").arg(n), this);
    auto* box = new QCheckBox(this);
    box->setObjectName(QStringLiteral("CheckBox%1").arg(n));
    const int row = i % 8;
    const int column = 2 * (i / 8);
    grid->addWidget(shape, row, column);
    grid->addWidget(box, row, column + 1);
    shapes_[i] = shape;
    boxes_[i] = box;
  }
  grid->setColumnStretch(1, 1);
  grid->setColumnStretch(3, 1);
}

void GrDlgChannelPage::Load(std::span<const std::string> names, uint16_t recorded, uint16_t shown,
                            std::span<const tornel::Color> colors) {
  for (int i = 0; i < kChannels; ++i) {
    QString caption = QString::fromStdString(names[i]);
    boxes_[i]->setText(caption.replace(QLatin1Char('&'), QStringLiteral("&&")));
    boxes_[i]->setEnabled((recorded >> i) & 1);
    boxes_[i]->setChecked((shown >> i) & 1);
    shapes_[i]->SetValue(colors[i]);
  }
}

uint16_t GrDlgChannelPage::ShowMask() const {
  uint16_t mask = 0;
  for (int i = 0; i < kChannels; ++i) {
    if (boxes_[i]->isChecked()) mask = static_cast<uint16_t>(mask | (1u << i));
  }
  return mask;
}

void GrDlgChannelPage::StoreColors(std::span<tornel::Color> colors) const {
  for (int i = 0; i < kChannels; ++i) colors[i] = shapes_[i]->Value();
}
