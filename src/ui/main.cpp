#include <QApplication>
#include <QLocale>
#include <QTimer>
#include <cstdio>

#include "core/text/number_text.h"
#include "ui/app/app_paths.h"
#include "ui/app/app_runtime.h"
#include "ui/app/command_line.h"
#include "ui/app/leftover_prompt.h"
#include "ui/app/main_form.h"
#include "ui/app/qt_translations.h"
#include "ui/widgets/error_box.h"

int main(int argc, char* argv[]) {
  // The command line first: --help and mistakes need no display.
  QStringList arguments;
  for (int i = 0; i < argc; ++i) arguments.append(QString::fromLocal8Bit(argv[i]));
  CommandLine args = CommandLine::Parse(arguments);
  switch (args.outcome) {
    case CommandLine::Outcome::Help:
    case CommandLine::Outcome::Version:
      std::fputs(qPrintable(args.text + "\n"), stdout);
      return 0;
    case CommandLine::Outcome::Error:
      std::fputs(qPrintable(args.text + "\n"), stderr);
      return 2;
    case CommandLine::Outcome::Run:
      break;
  }

  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("TornelAD"));
  QApplication::setApplicationVersion(QStringLiteral("3.0"));
  QApplication::setDesktopFileName(QStringLiteral("tornel"));
  QtTranslations::Install(app);
  tornel::SetSystemDecimalSeparator(QLocale::system().decimalPoint().at(0).toLatin1());

  AppRuntime runtime(AppPaths::ForThisProgram(), args.device);
  if (!runtime.Error().isEmpty()) {
    std::fputs(qPrintable(runtime.Error() + "\n"), stderr);
    return 2;
  }

  TMainForm form(runtime.Environment());
  form.show();
  // Once the window stands: what the user must know, then the files asked for.
  QTimer::singleShot(0, &form, [&form, &runtime, files = args.files] {
    if (!runtime.Warning().isEmpty()) ErrorBox::ShowPlain(&form, runtime.Warning());
    OfferLeftoverRecordings(form);
    for (const QString& file : files) {
      ErrorBox::Guard(&form, [&] { form.OpenFile(file); });
    }
  });
  return QApplication::exec();
}
