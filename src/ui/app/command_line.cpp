#include "ui/app/command_line.h"

#include <QCommandLineParser>
#include <QFileInfo>
#include <algorithm>

#include "core/device/device_selection.h"
#include "core/text/version_text.h"

namespace {

// The parser speaks English until Qt's translations are installed, which
// needs the application object that --help and a mistake do without.
QString RussianHelp(QString text) {
  text.replace(QStringLiteral("Usage: "), QStringLiteral("Использование: "));
  text.replace(QStringLiteral(" [options] "), QStringLiteral(" [ключи] "));
  text.replace(QStringLiteral("\nOptions:\n"), QStringLiteral("\nКлючи:\n"));
  text.replace(QStringLiteral("\nArguments:\n"), QStringLiteral("\nАргументы:\n"));
  return text;
}

QString Dashed(const QString& name) {
  return (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
}

// What went wrong, said in Russian with a pointer to the help.
QString RussianError(const QCommandLineParser& parser, const QStringList& arguments) {
  QString text;
  const QStringList unknown = parser.unknownOptionNames();
  if (!unknown.isEmpty()) {
    QStringList names;
    for (const QString& name : unknown) names << QStringLiteral("«%1»").arg(Dashed(name));
    text = (names.size() == 1 ? QStringLiteral("Неизвестный ключ ")
                              : QStringLiteral("Неизвестные ключи ")) +
           names.join(QStringLiteral(", "));
  } else if (arguments.size() > 1 && arguments.last() == QStringLiteral("--device")) {
    text = QStringLiteral(
        "После --device нужно указать устройство: none, sim, comedi или "
        "comedi:/dev/comediN");
  } else if (const auto valued = std::find_if(arguments.begin() + 1, arguments.end(),
                                              [](const QString& a) {
                                                return a.startsWith(QStringLiteral("--help=")) ||
                                                       a.startsWith(QStringLiteral("--version="));
                                              });
             valued != arguments.end()) {
    text = QStringLiteral("Ключ %1 не принимает значения")
               .arg(valued->section(QLatin1Char('='), 0, 0));
  } else {
    text = QStringLiteral("Ошибка в командной строке: ") + parser.errorText();
  }
  return text + QStringLiteral("\nСправка: tornel --help");
}

}  // namespace

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
    result.text = RussianError(parser, arguments);
    return result;
  }
  if (parser.isSet(help)) {
    result.outcome = Outcome::Help;
    result.text = RussianHelp(parser.helpText());
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
