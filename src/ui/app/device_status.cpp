#include "ui/app/device_status.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>

#include "core/device/device.h"
#include "core/device/simulated_bench.h"

DeviceStatus::DeviceStatus(const tornel::Device& device, tornel::SimulatedBench* bench,
                           QWidget* parent)
    : QWidget(parent), label_(new QLabel(this)) {
  setObjectName(QStringLiteral("DeviceStatus"));
  label_->setObjectName(QStringLiteral("DeviceLabel"));
  label_->setText(QStringLiteral("Устройство: ") + QString::fromStdString(device.Description()));
  auto* layout = new QHBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(label_);
  if (bench != nullptr) {
    button_ = new QPushButton(QStringLiteral("Кнопка стенда"), this);
    button_->setObjectName(QStringLiteral("StendButton"));
    button_->setToolTip(QStringLiteral("Держите нажатой, чтобы подать сигнал пуска со стенда"));
    button_->setFocusPolicy(Qt::NoFocus);
    connect(button_, &QPushButton::pressed, this, [bench] { bench->SetStartButton(true); });
    connect(button_, &QPushButton::released, this, [bench] { bench->SetStartButton(false); });
    layout->addWidget(button_);
  }
}
