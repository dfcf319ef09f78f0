#pragma once

#include <QString>
#include <QStringList>

// Where the program's files live. The configuration lies beside the
// executable, as it always has, unless that folder cannot be written or the
// program is installed (a data folder "../share/tornel" beside the executable's
// folder): then it is the user's $XDG_CONFIG_HOME/TornelAD/Tornel.ini
// (~/.config/... by default), seeded on first use from the file beside the
// executable or the installed sample. Description texts are looked up in
// "Text" beside the executable, then in the installed data folder.
class AppPaths {
public:
  AppPaths(QString executableFolder, QString userConfigFolder);
  // From the running executable and the environment.
  static AppPaths ForThisProgram();
  // $XDG_CONFIG_HOME/TornelAD, or ~/.config/TornelAD when it is unset or
  // not absolute.
  static QString UserConfigFolder();

  const QString& ExecutableFolder() const { return executableFolder_; }
  QString DataFolder() const;
  bool Installed() const;
  // The configuration file to use; the user's copy is made on the way when
  // it is the one and does not exist yet.
  QString PrepareConfigPath() const;
  QStringList TextFolders() const;

private:
  QString executableFolder_;
  QString userConfigFolder_;
};
