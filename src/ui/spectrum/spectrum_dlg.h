#pragma once

#include <QDialog>

#include "core/spectrum/spectrum_request.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QSpinBox;

namespace tornel {
class TGraphRecord;
}

// "Спектр": which shown channel, over which seconds, with which window and
// up to which harmonic. It opens on the shown time range with the Hann
// window and 40 harmonics; "Продолжить" is taken only for a window the
// record can give a spectrum of, otherwise the reason is shown and the
// dialog stays.
class TSpectrumDlg : public QDialog {
  Q_OBJECT

public:
  // The record must outlive the dialog; RecountRecord must have run.
  TSpectrumDlg(const tornel::TGraphRecord& record, QWidget* parent = nullptr);

  // The choices as they stand; numbers are read by the dialogs' lenient rule.
  tornel::SpectrumRequest Request() const;

  QComboBox* ChannelBox() const { return channel_; }
  QLineEdit* FromEdit() const { return from_; }
  QLineEdit* ToEdit() const { return to_; }
  QComboBox* WindowBox() const { return window_; }
  QSpinBox* HarmonicsBox() const { return harmonics_; }

public slots:
  void accept() override;

private:
  const tornel::TGraphRecord& record_;
  QComboBox* channel_;
  QLineEdit* from_;
  QLineEdit* to_;
  QComboBox* window_;
  QSpinBox* harmonics_;
  QPushButton* ok_;
};
