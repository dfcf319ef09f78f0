#include "ui/app/command_line.h"

#include <QCommandLineParser>
#include <QFileInfo>

CommandLine CommandLine::Parse(const QStringList& arguments) {
  QCommandLineParser parser;
  parser.setApplicationDescription(
      QStringLiteral("Ввод и обработка данных с универсального лабораторного стенда"));
  QCommandLineOption help(QStringList{"h", "help"}, QStringLiteral("Показать эту справку."));
  QCommandLineOption version(QStringList{"v", "version"}, QStringLiteral("Показать версию."));
  QCommandLineOption device(
      QStringLiteral("device"),
      QStringLiteral("Устройство на этот запуск: none (нет), sim (модель стенда), comedi или "
                     "comedi:/dev/comediN."),
      QStringLiteral("устройство"));
  parser.addOption(help);
  parser.addOption(version);
  parser.addOption(device);
  parser.addPositionalArgument(QStringLiteral("файлы"),
                               QStringLiteral("Файлы данных (*.dta) и схемы (*.str)."),
                               QStringLiteral("[файлы...]"));

  CommandLine result;
  if (!parser.parse(arguments)) {
    result.outcome = Outcome::Error;
    result.text = parser.errorText();
    return result;
  }
  if (parser.isSet(help)) {
    result.outcome = Outcome::Help;
    result.text = parser.helpText();
    return result;
  }
  if (parser.isSet(version)) {
    result.outcome = Outcome::Version;
    result.text = QStringLiteral("TornelAD 3.0");
    return result;
  }
  if (parser.isSet(device)) result.device = parser.value(device);
  for (const QString& file : parser.positionalArguments()) {
    result.files.append(QFileInfo(file).absoluteFilePath());
  }
  return result;
}
