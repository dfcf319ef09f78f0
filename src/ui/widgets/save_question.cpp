#include "ui/widgets/save_question.h"

#include "ui/widgets/titled_message_box.h"

bool AskToSaveBeforeClosing(QWidget* parent, const QString& question,
                            const std::function<bool()>& save) {
  TitledMessageBox box(QMessageBox::Question, question,
                       QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, parent);
  box.setObjectName(QStringLiteral("SaveQuestion"));
  switch (box.exec()) {
    case QMessageBox::Yes:
      return save();
    case QMessageBox::No:
      return true;
    default:
      return false;
  }
}
