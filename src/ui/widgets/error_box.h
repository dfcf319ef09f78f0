#pragma once

#include <QString>
#include <functional>

class QWidget;

// How the program tells the user that a command failed. A command's handler
// runs its work through Guard(): a UserError (or any other exception) ends
// the command with an error box carrying its text, as the application's
// default error box would, instead of unwinding into the event loop.
class ErrorBox {
public:
  // The error box: the application's title, an error icon, "OK".
  static void Show(QWidget* parent, const QString& text);
  // Something the user must know, though the command went on.
  static void ShowWarning(QWidget* parent, const QString& text);
  // A plain message: the application's title, no icon, "OK".
  static void ShowPlain(QWidget* parent, const QString& text);
  // Runs `work`; true when it finished without an exception.
  static bool Guard(QWidget* parent, const std::function<void()>& work);
};
