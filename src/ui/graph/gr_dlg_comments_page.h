#pragma once

#include <QDate>
#include <QTime>
#include <QWidget>
#include <string>
#include <vector>

class QDateEdit;
class QPlainTextEdit;
class QTimeEdit;

// "Комментарии": the comment lines (Memo), the record's date (DatePicker)
// and time (TimePicker).
class GrDlgCommentsPage : public QWidget {
  Q_OBJECT

public:
  explicit GrDlgCommentsPage(QWidget* parent = nullptr);

  void Load(const std::vector<std::string>& comments, double date, double time);
  // A picker the user left alone gives back the stored value exactly, not
  // its value rounded to what the picker shows.
  void Store(std::vector<std::string>& comments, double& date, double& time) const;

private:
  QPlainTextEdit* memo_;
  QDateEdit* datePicker_;
  QTimeEdit* timePicker_;
  QDate shownDate_;
  QTime shownTime_;
  double date_ = 0;
  double time_ = 0;
};
