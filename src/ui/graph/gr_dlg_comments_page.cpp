#include "ui/graph/gr_dlg_comments_page.h"

#include <QDateEdit>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QTimeEdit>
#include <QVBoxLayout>

#include "core/records/day_number.h"

namespace {

constexpr double kMsPerDay = 86400000.0;

}  // namespace

GrDlgCommentsPage::GrDlgCommentsPage(QWidget* parent) : QWidget(parent) {
  memo_ = new QPlainTextEdit(this);
  memo_->setObjectName(QStringLiteral("Memo"));
  memo_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  memo_->setLineWrapMode(QPlainTextEdit::NoWrap);
  datePicker_ = new QDateEdit(this);
  datePicker_->setObjectName(QStringLiteral("DatePicker"));
  datePicker_->setCalendarPopup(true);
  // The Russian numeric form whatever the system's locale ("08.12.2026").
  datePicker_->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
  timePicker_ = new QTimeEdit(this);
  timePicker_->setObjectName(QStringLiteral("TimePicker"));
  timePicker_->setDisplayFormat(QStringLiteral("HH:mm:ss"));
  auto* pickers = new QHBoxLayout;
  pickers->addWidget(datePicker_, 1);
  pickers->addWidget(timePicker_);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(memo_, 1);
  layout->addLayout(pickers);
}

void GrDlgCommentsPage::Load(const std::vector<std::string>& comments, double date, double time) {
  QStringList lines;
  for (const std::string& line : comments) lines.append(QString::fromStdString(line));
  memo_->setPlainText(lines.join(QLatin1Char('\n')));
  const tornel::CivilDateTime day = tornel::DayTimeToCivil(date, 0);
  const tornel::CivilDateTime clock = tornel::DayTimeToCivil(0, time);
  datePicker_->setDate(QDate(day.Year, day.Month, day.Day));
  QTime t(clock.Hour, clock.Minute, clock.Second, clock.Millisecond);
  timePicker_->setTime(t.isValid() ? t : QTime(0, 0));
  shownDate_ = datePicker_->date();
  shownTime_ = timePicker_->time();
  date_ = date;
  time_ = time;
}

void GrDlgCommentsPage::Store(std::vector<std::string>& comments, double& date,
                              double& time) const {
  // Lines as the memo shows them: a final line break starts no extra line.
  QString text = memo_->toPlainText();
  if (text.endsWith(QLatin1Char('\n'))) text.chop(1);
  comments.clear();
  if (!text.isEmpty()) {
    for (const QString& line : text.split(QLatin1Char('\n')))
      comments.push_back(line.toStdString());
  }
  const QDate d = datePicker_->date();
  date = d == shownDate_ ? date_
                         : static_cast<double>(tornel::DayNumber(d.year(), d.month(), d.day()));
  const QTime t = timePicker_->time();
  time = t == shownTime_ ? time_ : t.msecsSinceStartOfDay() / kMsPerDay;
}
