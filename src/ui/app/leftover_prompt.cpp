#include "ui/app/leftover_prompt.h"

#include <QMessageBox>
#include <QStringList>

#include "core/records/day_number.h"
#include "core/text/plural_ru.h"
#include "ui/graph/graph_frm.h"
#include "ui/widgets/titled_message_box.h"
#include "ui/widgets/window_host.h"

namespace {

QString KindText(const tornel::RecoveryNote& note) {
  return note.Kind == tornel::RecordingKind::Static ? QStringLiteral("Статическая характеристика ")
                                                    : QStringLiteral("Переходная характеристика ");
}

QString Channels(const tornel::RecoveryNote& note) {
  QStringList names;
  for (int s = 0; s < tornel::kNoteSlots; ++s) {
    uint16_t mask = s < 16 ? note.AcpMask : note.CapMask;
    if (mask >> (s % 16) & 1) names << QString::fromStdString(note.ChanName[s]);
  }
  return names.join(QStringLiteral(", "));
}

}  // namespace

QString LeftoverLine(const tornel::LeftoverRecording& leftover) {
  const tornel::RecoveryNote& note = leftover.Note;
  tornel::CivilDateTime at = tornel::DayTimeToCivil(note.Date, note.Time);
  QString when = QStringLiteral("%1.%2.%3 %4:%5:%6")
                     .arg(at.Day, 2, 10, QChar('0'))
                     .arg(at.Month, 2, 10, QChar('0'))
                     .arg(at.Year)
                     .arg(at.Hour, 2, 10, QChar('0'))
                     .arg(at.Minute, 2, 10, QChar('0'))
                     .arg(at.Second, 2, 10, QChar('0'));
  QString length = note.Kind == tornel::RecordingKind::Static
                       ? QString::fromStdString(tornel::PointsRu(leftover.Frames))
                       : QStringLiteral("%1 с").arg(leftover.Duration(), 0, 'f', 3);
  return KindText(note).trimmed() + QStringLiteral("; ") + when + QStringLiteral("; ") + length +
         QStringLiteral("; ") + Channels(note);
}

void OfferLeftoverRecordings(WindowHost& host, const std::vector<std::string>& folders) {
  std::vector<tornel::LeftoverRecording> found = tornel::FindLeftoverRecordings(folders);
  if (found.empty()) return;
  QStringList lines;
  for (const auto& leftover : found) lines << LeftoverLine(leftover);
  TitledMessageBox box(
      QMessageBox::Question,
      QStringLiteral("Найдены несохранённые записи: %1. Открыть их?").arg(found.size()),
      QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, host.DialogParent());
  box.setObjectName(QStringLiteral("LeftoverQuestion"));
  box.setInformativeText(lines.join(QLatin1Char('\n')));
  int answer = box.exec();
  if (answer == QMessageBox::Yes) {
    for (auto& leftover : found) {
      QString caption = KindText(leftover.Note);
      auto* graph = new TGraphFrm(host);
      tornel::RestoreRecord(std::move(leftover), graph->Record());
      host.AddChild(graph, caption);
      graph->RefreshPicture();
    }
  } else if (answer == QMessageBox::No) {
    if (TitledMessageBox::Ask(host.DialogParent(), QStringLiteral("Удалить их?")) ==
        QMessageBox::Yes) {
      for (auto& leftover : found) tornel::DiscardLeftover(std::move(leftover));
    }
  }
}
