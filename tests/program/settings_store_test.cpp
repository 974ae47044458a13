#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include "platform/settings_backend.h"
#include "program/settings_store.h"
#include "ui_double.h"

namespace {

const QStringList kValueOrder = {"Tips",     "Bold",      "Min",    "Size",   "Normal", "AVI",
                                 "Time",     "Icon",      "Delay",  "Random", "Status", "Colour",
                                 "Reminder", "PlayCheck", "Active", "CDDrive"};

// Every value stored, none of them at its default.
void writeNonDefaults(const QString& path, const QString& leaveOut = {}) {
  QSettings file(path, QSettings::IniFormat);
  int n = 0;
  for (const QString& name : kValueOrder)
    if (name != leaveOut) file.setValue(name, name == "Random" || name == "Reminder" ? 0 : 2 + n++);
  file.sync();
}

struct Store {
  explicit Store(const QString& path) : backend(path), store(settings, backend, ui) {}
  Settings settings;
  IniSettingsBackend backend;
  UiDouble ui;
  SettingsStore store;
};

void expectLoadDefaults(const Settings& s) {
  const Settings defaults;
  EXPECT_EQ(s.Tips, defaults.Tips);
  EXPECT_EQ(s.Bold, 1);
  EXPECT_EQ(s.Size, 10);
  EXPECT_EQ(s.Delay, 4);
  EXPECT_EQ(s.Colour, 0x00FF0000);
  EXPECT_TRUE(s.Reminder);
  EXPECT_TRUE(s.PlayCheck);
  EXPECT_FALSE(s.Random);
  EXPECT_EQ(s.Status, 0);
  EXPECT_EQ(s.CDDrive, 0);
}

}  // namespace

TEST(SettingsFile, FirstRunCreatesTheFileWithTheDriveChoiceThenTheFirstSaveWritesAllSixteen) {
  const QString path = IniSettingsBackend::defaultPath();
  ASSERT_TRUE(path.startsWith(qEnvironmentVariable("XDG_CONFIG_HOME")));
  ASSERT_FALSE(QFile::exists(path));

  Store s(path);
  s.settings.Active = true;
  s.store.LoadSettings();
  expectLoadDefaults(s.settings);
  EXPECT_TRUE(s.settings.Active) << "a failed load leaves Active as it was";
  {
    QSettings file(path, QSettings::IniFormat);
    EXPECT_EQ(file.allKeys(), QStringList{"CDDrive"});
    EXPECT_EQ(file.value("CDDrive").toInt(), 0);
  }

  s.store.SaveSettings();
  QSettings file(path, QSettings::IniFormat);
  EXPECT_EQ(file.allKeys().size(), 16);
  EXPECT_EQ(file.value("Colour").toInt(), 0x00FF0000);
  EXPECT_EQ(file.value("Reminder").toInt(), 1);
  EXPECT_EQ(s.ui.beeps(), 0);
}

TEST(SettingsFile, AStoredSetIsReadBackWhole) {
  const QString path = IniSettingsBackend::defaultPath();
  writeNonDefaults(path);
  Store s(path);
  s.store.LoadSettings();
  EXPECT_EQ(s.settings.Tips, 2);
  EXPECT_EQ(s.settings.Delay, 10);
  EXPECT_FALSE(s.settings.Random);
  EXPECT_EQ(s.settings.CDDrive, 15);
}

TEST(SettingsFile, OneMissingOrNonIntegerValuePutsEveryValueBackToItsDefault) {
  const QString path = IniSettingsBackend::defaultPath();
  for (const QString& fault : {QString("missing Delay"), QString("Size is text")}) {
    SCOPED_TRACE(fault.toStdString());
    QFile::remove(path);
    if (fault == "missing Delay") {
      writeNonDefaults(path, "Delay");
    } else {
      writeNonDefaults(path);
      QSettings file(path, QSettings::IniFormat);
      file.setValue("Size", "large");
    }
    Store s(path);
    s.store.LoadSettings();
    expectLoadDefaults(s.settings);
  }
}

TEST(SettingsFile, AnUnwritableLocationBeepsOnceAndTheProgramGoesOn) {
  // A plain file where the settings folder should be: nothing below it can be made.
  QTemporaryDir dir;
  QFile blocker(dir.filePath("config"));
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  Store s(dir.filePath("config/Qelvar Ltd/Corvela.conf"));

  s.store.LoadSettings();
  expectLoadDefaults(s.settings);
  EXPECT_EQ(s.ui.beeps(), 0) << "a failed load is not reported";
  s.store.SaveSettings();
  EXPECT_EQ(s.ui.beeps(), 1);
}

namespace {

// Records the writes; fails the write of one named value.
class RecordingBackend : public SettingsBackend {
 public:
  QString failOn;
  QStringList written;
  std::optional<std::int32_t> readInteger(const QString&) override { return std::nullopt; }
  bool writeInteger(const QString& name, std::int32_t) override {
    if (name == failOn) return false;
    written << name;
    return true;
  }
  bool writeText(const QString&, const QString&) override { return false; }
};

}  // namespace

TEST(SettingsSave, WritesInTheFixedOrderAndStopsAtTheFirstFailure) {
  Settings settings;
  UiDouble ui;
  RecordingBackend backend;
  SettingsStore store(settings, backend, ui);

  store.SaveSettings();
  EXPECT_EQ(backend.written, kValueOrder);

  backend.written.clear();
  backend.failOn = "Delay";
  store.SaveSettings();
  EXPECT_EQ(backend.written, kValueOrder.mid(0, 8)) << "values before the failure stay written";
  EXPECT_EQ(ui.beeps(), 1);
}

TEST(SettingsDefaults, TheMenuDefaultsTurnTheReminderOffAndKeepPlayCheckAndActive) {
  Settings settings;
  settings.Reminder = true;
  settings.PlayCheck = false;
  settings.Active = true;
  settings.Delay = 12;
  settings.Random = true;
  applyMenuDefaults(settings);
  EXPECT_FALSE(settings.Reminder);
  EXPECT_FALSE(settings.PlayCheck);
  EXPECT_TRUE(settings.Active);
  EXPECT_EQ(settings.Delay, 4);
  EXPECT_FALSE(settings.Random);
}
