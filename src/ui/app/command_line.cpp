#include "ui/app/command_line.h"

#include <QCommandLineParser>
#include <QFileInfo>

#include "core/device/device_selection.h"
#include "core/text/version_text.h"

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
    // Without an application object yet the parser cannot name the program.
    result.text.replace(QStringLiteral("<executable_name>"),
                        QFileInfo(arguments.value(0, QStringLiteral("tornel"))).fileName());
    return result;
  }
  if (parser.isSet(version)) {
    result.outcome = Outcome::Version;
    result.text = QString::fromStdString(tornel::VersionLine("TornelAD"));
    return result;
  }
  if (parser.isSet(device)) {
    result.device = parser.value(device);
    if (!tornel::ParseDeviceOption(result.device->toStdString())) {
      result.outcome = Outcome::Error;
      result.text = UnknownDeviceMessage(*result.device);
      return result;
    }
  }
  for (const QString& file : parser.positionalArguments()) {
    result.files.append(QFileInfo(file).absoluteFilePath());
  }
  return result;
}

QString CommandLine::UnknownDeviceMessage(const QString& option) {
  return QStringLiteral(
             "Неизвестное устройство «%1»: допустимы none, sim, comedi и "
             "comedi:/dev/comediN")
      .arg(option);
}
