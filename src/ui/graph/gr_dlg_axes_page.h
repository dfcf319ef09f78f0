#pragma once

#include <QWidget>
#include <array>

namespace tornel {
struct RecordSettings;
}

class QGroupBox;
class QLineEdit;
class QSpinBox;

// "Оси": the X, Y and time ranges as typed numbers (EXmin ... Etmax), the
// divisions (UpDownX with its edit EdelX, UpDownY with EdelY, 1 to 100) and
// three presets of the X and Y ranges. The time group is hidden for a static
// record, which has no time axis.
class GrDlgAxesPage : public QWidget {
  Q_OBJECT

public:
  explicit GrDlgAxesPage(QWidget* parent = nullptr);

  void Load(const tornel::RecordSettings& s, bool isStatic);
  // Ranges are read as typed with the lenient number rule ("0,5" and "0.5"
  // alike, 0 for text that is no number); the time range is repaired later,
  // against the record.
  void Store(tornel::RecordSettings& s) const;

private:
  QGroupBox* AddRangeGroup(const char* name, const QString& title, const QString& axis,
                           const char* minName, const char* maxName, QLineEdit*& min,
                           QLineEdit*& max);
  QSpinBox* AddDivisions(const char* spinName, const char* editName);
  void SetRange(QLineEdit* min, QLineEdit* max, double from, double to);

  QLineEdit* xMin_ = nullptr;
  QLineEdit* xMax_ = nullptr;
  QLineEdit* yMin_ = nullptr;
  QLineEdit* yMax_ = nullptr;
  QLineEdit* tMin_ = nullptr;
  QLineEdit* tMax_ = nullptr;
  QGroupBox* tGroup_ = nullptr;
  QSpinBox* divX_ = nullptr;
  QSpinBox* divY_ = nullptr;
  // X, Y and t ranges as loaded, in the order of the edits.
  std::array<double, 6> loaded_{};
};
