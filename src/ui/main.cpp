#include <QApplication>
#include <QLocale>

#include "core/text/number_text.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("TornelAD"));
  tornel::SetSystemDecimalSeparator(QLocale::system().decimalPoint().at(0).toLatin1());
  return 0;
}
