#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// The program's command line: files to open as "Открыть" opens them, and
// --device to choose the backend for this run
// ("none", "sim", "comedi" or "comedi:/dev/comediN").
class CommandLine {
public:
  enum class Outcome { Run, Help, Version, Error };

  // `arguments` begins with the program's name. Works before the application
  // object exists, so that --help needs no display.
  static CommandLine Parse(const QStringList& arguments);
  static QString UnknownDeviceMessage(const QString& option);

  Outcome outcome = Outcome::Run;
  std::optional<QString> device;
  QStringList files;  // absolute paths, in the order given
  QString text;       // the help, the version or the error
};
