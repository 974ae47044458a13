#pragma once

#include <QString>
#include <cstdint>
#include <optional>

// Where the program's integer settings live. A read fails when the value is
// missing or is not a 32-bit integer; a write fails when it could not be stored.
class SettingsBackend {
 public:
  virtual ~SettingsBackend() = default;
  virtual std::optional<std::int32_t> readInteger(const QString& name) = 0;
  virtual bool writeInteger(const QString& name, std::int32_t value) = 0;
  // Text beside the integers ("VirtualDrive/Image": the virtual drive's disc image).
  virtual bool writeText(const QString& name, const QString& value) = 0;
};

// The settings file "Qelvar Ltd/Corvela.conf" under $XDG_CONFIG_HOME (~/.config
// when unset), in INI form. Other parts of the program keep their own groups in
// the same file (the virtual drive's image, for one).
class IniSettingsBackend : public SettingsBackend {
 public:
  explicit IniSettingsBackend(QString filePath = defaultPath());

  static QString defaultPath();
  const QString& filePath() const { return filePath_; }

  std::optional<std::int32_t> readInteger(const QString& name) override;
  bool writeInteger(const QString& name, std::int32_t value) override;
  bool writeText(const QString& name, const QString& value) override;

 private:
  QString filePath_;
};
