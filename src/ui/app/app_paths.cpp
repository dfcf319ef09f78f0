#include "ui/app/app_paths.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {

constexpr const char* kConfigName = "/Tornel.ini";

// The profile file's own rule: a folder whose mode has no write bit is
// read-only even for the superuser.
bool WritableFolder(const QString& folder) {
  QByteArray path = QFile::encodeName(folder);
  struct stat st {};
  if (::stat(path.constData(), &st) != 0 || !S_ISDIR(st.st_mode)) return false;
  return (st.st_mode & 0222) != 0 && ::access(path.constData(), W_OK) == 0;
}

}  // namespace

AppPaths::AppPaths(QString executableFolder, QString userConfigFolder)
    : executableFolder_(std::move(executableFolder)),
      userConfigFolder_(std::move(userConfigFolder)) {}

AppPaths AppPaths::ForThisProgram() {
  return AppPaths(QCoreApplication::applicationDirPath(), UserConfigFolder());
}

QString AppPaths::UserConfigFolder() {
  QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
  if (base.isEmpty() || !QDir::isAbsolutePath(base)) base = QDir::homePath() + "/.config";
  return base + "/TornelAD";
}

QString AppPaths::DataFolder() const {
  return QDir::cleanPath(executableFolder_ + "/../share/tornel");
}

bool AppPaths::Installed() const { return QFileInfo(DataFolder()).isDir(); }

QString AppPaths::PrepareConfigPath() const {
  QString besideProgram = executableFolder_ + kConfigName;
  if (WritableFolder(executableFolder_) && !Installed()) return besideProgram;

  QString user = userConfigFolder_ + kConfigName;
  if (QFileInfo::exists(user)) return user;
  QDir().mkpath(userConfigFolder_);
  for (const QString& seed : {besideProgram, DataFolder() + kConfigName}) {
    if (QFileInfo(seed).isFile() && QFile::copy(seed, user)) {
      // The seed may be read-only; the user's copy is the user's to change.
      QFile::setPermissions(user, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                      QFileDevice::ReadGroup | QFileDevice::ReadOther);
      break;
    }
  }
  return user;
}

QStringList AppPaths::TextFolders() const {
  return {executableFolder_ + "/Text", DataFolder() + "/Text"};
}
