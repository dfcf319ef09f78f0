#include "ui/widgets/channel_check_group.h"

#include <QCheckBox>
#include <QGridLayout>

ChannelCheckGroup::ChannelCheckGroup(const QString& title, int firstNumber, QWidget* parent)
    : QGroupBox(title, parent) {
  auto* grid = new QGridLayout(this);
  for (int i = 0; i < kBoxes; ++i) {
    auto* box = new QCheckBox(this);
    box->setObjectName(QStringLiteral("CheckBox%1").arg(firstNumber + i));
    grid->addWidget(box, i % 8, i / 8);
    boxes_[static_cast<std::size_t>(i)] = box;
  }
}

void ChannelCheckGroup::SetCaptions(std::span<const std::string> names) {
  for (int i = 0; i < kBoxes && i < static_cast<int>(names.size()); ++i) {
    QString text = QString::fromStdString(names[static_cast<std::size_t>(i)]);
    Box(i)->setText(text.replace(QLatin1Char('&'), QStringLiteral("&&")));
  }
}

void ChannelCheckGroup::SetEnabledMask(uint16_t mask) {
  for (int i = 0; i < kBoxes; ++i) Box(i)->setEnabled((mask >> i) & 1);
}

void ChannelCheckGroup::SetCheckedMask(uint16_t mask) {
  for (int i = 0; i < kBoxes; ++i) Box(i)->setChecked((mask >> i) & 1);
}

uint16_t ChannelCheckGroup::CheckedMask() const {
  uint16_t mask = 0;
  for (int i = 0; i < kBoxes; ++i) {
    if (Box(i)->isChecked()) mask = static_cast<uint16_t>(mask | (1u << i));
  }
  return mask;
}
