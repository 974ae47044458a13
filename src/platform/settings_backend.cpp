#include "platform/settings_backend.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>

IniSettingsBackend::IniSettingsBackend(QString filePath) : filePath_(std::move(filePath)) {}

QString IniSettingsBackend::defaultPath() {
  QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
  if (base.isEmpty()) base = QDir::homePath() + "/.config";
  return base + "/Qelvar Ltd/Corvela.conf";
}

std::optional<std::int32_t> IniSettingsBackend::readInteger(const QString& name) {
  QSettings file(filePath_, QSettings::IniFormat);
  if (file.status() != QSettings::NoError) return std::nullopt;
  const QVariant value = file.value(name);
  if (!value.isValid()) return std::nullopt;
  bool ok = false;
  const int number = value.toString().trimmed().toInt(&ok);
  if (!ok) return std::nullopt;
  return number;
}

namespace {

bool store(const QString& filePath, const QString& name, const QVariant& value) {
  QSettings file(filePath, QSettings::IniFormat);
  file.setValue(name, value);
  // Sync now: a value that did not reach the disk must be reported as failed.
  file.sync();
  return file.status() == QSettings::NoError;
}

}  // namespace

bool IniSettingsBackend::writeInteger(const QString& name, std::int32_t value) {
  return store(filePath_, name, value);
}

bool IniSettingsBackend::writeText(const QString& name, const QString& value) {
  return store(filePath_, name, value);
}
