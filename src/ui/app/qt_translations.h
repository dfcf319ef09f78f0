#pragma once

#include <QString>

class QCoreApplication;

// Qt's own Russian texts for the standard dialogs and buttons ("Да", "Нет",
// "Отмена", "Имя файла"). Without them those dialogs would speak English in
// an otherwise Russian program.
class QtTranslations {
public:
  // Loads "qtbase_ru" from folder (Qt's translations folder when empty) and
  // installs it in app. A missing or unreadable file leaves the English
  // texts and returns false; the program runs either way.
  static bool Install(QCoreApplication& app, const QString& folder = QString());
};
