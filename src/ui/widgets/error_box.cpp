#include "ui/widgets/error_box.h"

#include <exception>

#include "core/text/user_error.h"
#include "ui/widgets/titled_message_box.h"

namespace {

void ShowBox(QWidget* parent, QMessageBox::Icon icon, const QString& text) {
  TitledMessageBox box(icon, text, QMessageBox::Ok, parent);
  box.exec();
}

}  // namespace

void ErrorBox::Show(QWidget* parent, const QString& text) {
  ShowBox(parent, QMessageBox::Critical, text);
}

void ErrorBox::ShowWarning(QWidget* parent, const QString& text) {
  ShowBox(parent, QMessageBox::Warning, text);
}

void ErrorBox::ShowPlain(QWidget* parent, const QString& text) {
  ShowBox(parent, QMessageBox::NoIcon, text);
}

bool ErrorBox::Guard(QWidget* parent, const std::function<void()>& work) {
  try {
    work();
    return true;
  } catch (const tornel::UserError& e) {
    Show(parent, QString::fromUtf8(e.what()));
  } catch (const std::bad_alloc&) {
    Show(parent, QStringLiteral("Недостаточно памяти для выполнения команды"));
  } catch (const std::exception& e) {
    Show(parent, QString::fromUtf8(e.what()));
  }
  return false;
}
