#include "ui/acquisition/recording_progress.h"

#include <QLabel>
#include <QProgressBar>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

#include "ui/widgets/edit_numbers.h"

namespace {
constexpr int kSteps = 1000;
}

RecordingProgress::RecordingProgress(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("RecordingProgress"));
  label_ = new QLabel(this);
  label_->setObjectName(QStringLiteral("RecordingLabel"));
  bar_ = new QProgressBar(this);
  bar_->setObjectName(QStringLiteral("RecordingBar"));
  bar_->setRange(0, kSteps);
  bar_->setTextVisible(false);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(label_);
  layout->addWidget(bar_);
  timer_ = new QTimer(this);
  timer_->setInterval(100);
  connect(timer_, &QTimer::timeout, this, &RecordingProgress::Update);
  hide();
}

void RecordingProgress::Start(double seconds) {
  seconds_ = seconds;
  elapsed_.start();
  Update();
  show();
  timer_->start();
}

void RecordingProgress::Stop() {
  timer_->stop();
  hide();
}

void RecordingProgress::Update() {
  const double done = std::min(seconds_, static_cast<double>(elapsed_.elapsed()) / 1000.0);
  label_->setText(
      QStringLiteral("Запись: %1 из %2 с").arg(FixedText(done, 1), FixedText(seconds_, 1)));
  bar_->setValue(seconds_ > 0 ? static_cast<int>(done / seconds_ * kSteps) : kSteps);
}
