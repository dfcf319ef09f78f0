#pragma once

#include <QWidget>

class QLabel;
class QPushButton;

namespace tornel {
class Device;
class SimulatedBench;
}  // namespace tornel

// The status bar's account of the device: "Устройство: модель стенда" (or
// "нет", or the card's device file) at all times, so that a recording made
// on the model is never taken for a real one. With the simulated bench it
// adds "Кнопка стенда", which holds the bench's start signal while pressed.
class DeviceStatus : public QWidget {
  Q_OBJECT

public:
  DeviceStatus(const tornel::Device& device, tornel::SimulatedBench* bench,
               QWidget* parent = nullptr);

  QLabel* Label() const { return label_; }
  // nullptr without the simulated bench.
  QPushButton* StendButton() const { return button_; }

private:
  QLabel* label_;
  QPushButton* button_ = nullptr;
};
