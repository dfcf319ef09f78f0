#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QMessageBox>
#include <QPushButton>
#include <QRegularExpression>
#include <QTranslator>
#include <filesystem>

#include "core/device/device.h"
#include "tests/support/temp_dir.h"
#include "tests/ui/support/qt_printers.h"
#include "ui/app/app_paths.h"
#include "ui/app/app_runtime.h"
#include "ui/app/command_line.h"
#include "ui/app/qt_translations.h"

namespace {

namespace fs = std::filesystem;
using tornel::testing::ReadBytes;
using tornel::testing::TempDir;
using tornel::testing::WriteBytes;

QString Q(const std::string& s) { return QString::fromStdString(s); }

TEST(CommandLine, TakesTheDeviceAndTheFiles) {
  CommandLine cl =
      CommandLine::Parse({"tornel", "--device", "sim", "/data/run.dta", "rel/drive.str"});
  EXPECT_EQ(cl.outcome, CommandLine::Outcome::Run);
  EXPECT_EQ(cl.device, std::optional<QString>("sim"));
  EXPECT_EQ(cl.files,
            QStringList({"/data/run.dta", QDir::current().absoluteFilePath("rel/drive.str")}));

  CommandLine joined = CommandLine::Parse({"tornel", "--device=comedi:/dev/comedi1"});
  EXPECT_EQ(joined.device, std::optional<QString>("comedi:/dev/comedi1"));
  EXPECT_TRUE(joined.files.isEmpty());

  EXPECT_FALSE(CommandLine::Parse({"tornel"}).device.has_value());
}

TEST(CommandLine, HelpVersionAndMistakes) {
  EXPECT_EQ(CommandLine::Parse({"tornel", "--help"}).outcome, CommandLine::Outcome::Help);
  EXPECT_TRUE(CommandLine::Parse({"tornel", "--help"}).text.contains("--device"));
  const CommandLine version = CommandLine::Parse({"tornel", "--version"});
  EXPECT_EQ(version.outcome, CommandLine::Outcome::Version);
  EXPECT_TRUE(QRegularExpression(QStringLiteral("^TornelAD\\. Версия 3\\.0, сборка \\d+$"))
                  .match(version.text)
                  .hasMatch())
      << version.text.toStdString();
  CommandLine usb = CommandLine::Parse({"tornel", "--device", "usb", "a.dta"});
  EXPECT_EQ(usb.outcome, CommandLine::Outcome::Error);
  EXPECT_EQ(usb.text,
            "Неизвестное устройство «usb»: допустимы none, sim, comedi и comedi:/dev/comediN");
}

TEST(CommandLine, HelpIsInRussian) {
  const QString help = CommandLine::Parse({"/usr/bin/tornel", "--help"}).text;
  EXPECT_TRUE(help.startsWith("Использование: ")) << help.toStdString();
  EXPECT_TRUE(help.contains(" [ключи] [файлы...]\n")) << help.toStdString();
  EXPECT_TRUE(help.contains("\nКлючи:\n")) << help.toStdString();
  EXPECT_TRUE(help.contains("\nАргументы:\n")) << help.toStdString();
  for (const char* english : {"Usage", "Options", "Arguments", "Displays"}) {
    EXPECT_FALSE(help.contains(english)) << english;
  }
}

TEST(CommandLine, MistakesAreToldInRussian) {
  const std::pair<QStringList, QString> cases[] = {
      {{"tornel", "--bogus"}, "Неизвестный ключ «--bogus»\nСправка: tornel --help"},
      {{"tornel", "-x", "a.dta"}, "Неизвестный ключ «-x»\nСправка: tornel --help"},
      {{"tornel", "--device"},
       "После --device нужно указать устройство: none, sim, comedi или comedi:/dev/comediN\n"
       "Справка: tornel --help"},
  };
  for (const auto& [arguments, text] : cases) {
    const CommandLine cl = CommandLine::Parse(arguments);
    EXPECT_EQ(cl.outcome, CommandLine::Outcome::Error) << arguments.join(' ').toStdString();
    EXPECT_EQ(cl.text, text);
  }
  EXPECT_EQ(CommandLine::Parse({"tornel", "--help=1"}).text,
            "Ключ --help не принимает значения\nСправка: tornel --help");
}

class AppPathsTest : public ::testing::Test {
protected:
  AppPathsTest() {
    fs::create_directories(bin);
    fs::create_directories(user.parent_path());
  }
  AppPaths Paths() const { return AppPaths(Q(bin.string()), Q(user.string())); }

  TempDir dir;
  fs::path bin = dir.Path() / "prefix/bin";
  fs::path user = dir.Path() / "home/.config/TornelAD";
};

TEST_F(AppPathsTest, ConfigurationLiesBesideAWritableProgram) {
  EXPECT_EQ(Paths().PrepareConfigPath(), Q((bin / "Tornel.ini").string()));
  EXPECT_FALSE(fs::exists(user));
}

TEST_F(AppPathsTest, ReadOnlyProgramFolderUsesTheUsersCopySeededFromBesideIt) {
  WriteBytes((bin / "Tornel.ini").string(), "[defaults]\r\n");
  fs::permissions(bin / "Tornel.ini", fs::perms::owner_read | fs::perms::group_read);
  fs::permissions(bin, fs::perms::owner_read | fs::perms::owner_exec);
  QString path = Paths().PrepareConfigPath();
  EXPECT_EQ(path, Q((user / "Tornel.ini").string()));
  EXPECT_EQ(ReadBytes((user / "Tornel.ini").string()), "[defaults]\r\n");
  EXPECT_NE(fs::status(user / "Tornel.ini").permissions() & fs::perms::owner_write,
            fs::perms::none);

  // Seeded once: the user's own changes stay.
  WriteBytes((user / "Tornel.ini").string(), "[mine]\r\n");
  EXPECT_EQ(Paths().PrepareConfigPath(), path);
  EXPECT_EQ(ReadBytes((user / "Tornel.ini").string()), "[mine]\r\n");
}

TEST_F(AppPathsTest, InstalledProgramUsesTheUsersCopySeededFromTheInstalledSample) {
  fs::create_directories(dir.Path() / "prefix/share/tornel/Text");
  WriteBytes((dir.Path() / "prefix/share/tornel/Tornel.ini").string(), "[sample]\r\n");
  AppPaths paths = Paths();
  EXPECT_TRUE(paths.Installed());
  EXPECT_EQ(paths.PrepareConfigPath(), Q((user / "Tornel.ini").string()));
  EXPECT_EQ(ReadBytes((user / "Tornel.ini").string()), "[sample]\r\n");
  EXPECT_EQ(paths.TextFolders(),
            QStringList({Q((bin / "Text").string()),
                         Q((dir.Path() / "prefix/share/tornel/Text").string())}));
}

TEST_F(AppPathsTest, NoSeedLeavesTheUsersFileToTheFirstSave) {
  fs::permissions(bin, fs::perms::owner_read | fs::perms::owner_exec);
  EXPECT_EQ(Paths().PrepareConfigPath(), Q((user / "Tornel.ini").string()));
  EXPECT_TRUE(fs::is_directory(user));
  EXPECT_FALSE(fs::exists(user / "Tornel.ini"));
}

TEST(AppPaths, UserFolderFollowsXdgConfigHome) {
  QByteArray saved = qgetenv("XDG_CONFIG_HOME");
  qputenv("XDG_CONFIG_HOME", "/somewhere/config");
  EXPECT_EQ(AppPaths::UserConfigFolder(), "/somewhere/config/TornelAD");
  qputenv("XDG_CONFIG_HOME", "relative/path");
  EXPECT_EQ(AppPaths::UserConfigFolder(), QDir::homePath() + "/.config/TornelAD");
  qunsetenv("XDG_CONFIG_HOME");
  EXPECT_EQ(AppPaths::UserConfigFolder(), QDir::homePath() + "/.config/TornelAD");
  if (!saved.isNull()) qputenv("XDG_CONFIG_HOME", saved);
}

TEST(AppRuntime, DeviceOptionChoosesTheBackend) {
  TempDir dir;
  AppPaths paths(Q(dir.Path().string()), Q(dir.File("user")));
  struct Case {
    const char* option;
    const char* description;
    bool bench;
  } cases[] = {
      {"none", "нет", false},
      {"sim", "модель стенда", true},
      {"comedi:/nonexistent/comedi7", "нет (плата /nonexistent/comedi7 не открылась)", false}};
  for (const auto& c : cases) {
    AppRuntime runtime(paths, QString(c.option));
    EXPECT_TRUE(runtime.Error().isEmpty()) << c.option;
    AppEnvironment env = runtime.Environment();
    ASSERT_NE(env.device, nullptr) << c.option;
    EXPECT_EQ(env.device->Description(), c.description) << c.option;
    EXPECT_EQ(env.bench != nullptr, c.bench) << c.option;
    EXPECT_EQ(env.configPath, Q(dir.File("Tornel.ini")));
    EXPECT_NE(env.clock, nullptr);
    EXPECT_NE(env.priority, nullptr);
    // Only the card that did not open has something to say at start.
    EXPECT_EQ(runtime.Warning().contains("/nonexistent/comedi7"),
              QString(c.option).startsWith("comedi"))
        << c.option;
  }
  AppRuntime wrong(paths, QString("usb"));
  EXPECT_EQ(wrong.Error(),
            "Неизвестное устройство «usb»: допустимы none, sim, comedi и comedi:/dev/comediN");
}

TEST(AppRuntime, WithoutAnOptionTheConfiguredDeviceIsUsed) {
  TempDir dir;
  // "[Устройство]" / "Драйвер=нет" in code page 1251.
  WriteBytes(dir.File("Tornel.ini"),
             "[\xD3\xF1\xF2\xF0\xEE\xE9\xF1\xF2\xE2\xEE]\r\n"
             "\xC4\xF0\xE0\xE9\xE2\xE5\xF0=\xED\xE5\xF2\r\n");
  AppRuntime runtime(AppPaths(Q(dir.Path().string()), Q(dir.File("user"))), std::nullopt);
  EXPECT_EQ(runtime.Environment().device->Description(), "нет");
  EXPECT_EQ(runtime.Environment().bench, nullptr);
}

TEST(AppRuntime, AnUnknownConfiguredDeviceIsWarnedAboutOnce) {
  TempDir dir;
  // "[Устройство]" / "Драйвер=xyz" in code page 1251.
  WriteBytes(dir.File("Tornel.ini"),
             "[\xD3\xF1\xF2\xF0\xEE\xE9\xF1\xF2\xE2\xEE]\r\n"
             "\xC4\xF0\xE0\xE9\xE2\xE5\xF0=xyz\r\n");
  AppRuntime runtime(AppPaths(Q(dir.Path().string()), Q(dir.File("user"))), std::nullopt);
  EXPECT_EQ(runtime.Warning().count(QStringLiteral("Неизвестный драйвер устройства \"xyz\"")), 1);
}

TEST(QtTranslations, StandardButtonsReadRussianAndAMissingFileIsNoFailure) {
  TempDir empty;
  EXPECT_FALSE(QtTranslations::Install(*qApp, Q(empty.Path().string())));
  ASSERT_TRUE(QtTranslations::Install(*qApp));
  QMessageBox box(QMessageBox::Question, "", "", QMessageBox::Yes | QMessageBox::No);
  EXPECT_EQ(box.button(QMessageBox::Yes)->text(), "&Да");
  EXPECT_EQ(box.button(QMessageBox::No)->text(), "&Нет");
  // Other tests of this program compare Qt's English texts.
  qDeleteAll(qApp->findChildren<QTranslator*>());
}

}  // namespace
