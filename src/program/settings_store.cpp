#include "program/settings_store.h"

#include <QString>
#include <array>
#include <functional>

#include "platform/settings_backend.h"
#include "platform/ui_services.h"

namespace {

// One stored value: its name and the variable it lives in. Flags are stored
// as 0 or 1 and read as true when non-zero.
struct StoredValue {
  const char* name;
  std::function<std::int32_t(const Settings&)> get;
  std::function<void(Settings&, std::int32_t)> set;
};

template <std::int32_t Settings::*Field>
StoredValue integer(const char* name) {
  return {name, [](const Settings& s) { return s.*Field; },
          [](Settings& s, std::int32_t v) { s.*Field = v; }};
}

template <bool Settings::*Field>
StoredValue flag(const char* name) {
  return {name, [](const Settings& s) { return std::int32_t(s.*Field ? 1 : 0); },
          [](Settings& s, std::int32_t v) { s.*Field = v != 0; }};
}

// The order of loading and saving.
const std::array<StoredValue, 16>& storedValues() {
  static const std::array<StoredValue, 16> values = {
      integer<&Settings::Tips>("Tips"),      integer<&Settings::Bold>("Bold"),
      integer<&Settings::Min>("Min"),        integer<&Settings::Size>("Size"),
      integer<&Settings::Normal>("Normal"),  integer<&Settings::AVI>("AVI"),
      integer<&Settings::Time>("Time"),      integer<&Settings::Icon>("Icon"),
      integer<&Settings::Delay>("Delay"),    flag<&Settings::Random>("Random"),
      integer<&Settings::Status>("Status"),  integer<&Settings::Colour>("Colour"),
      flag<&Settings::Reminder>("Reminder"), flag<&Settings::PlayCheck>("PlayCheck"),
      flag<&Settings::Active>("Active"),     integer<&Settings::CDDrive>("CDDrive"),
  };
  return values;
}

// Every value with a load default goes back to it; `Active` has none.
void applyLoadDefaults(Settings& settings) {
  const Settings defaults;
  const bool active = settings.Active;
  const std::int32_t currentStatus = settings.CurrentStatus;
  settings = defaults;
  settings.Active = active;
  settings.CurrentStatus = currentStatus;
}

}  // namespace

void applyMenuDefaults(Settings& settings) {
  settings.Delay = 4;
  settings.Tips = 0;
  settings.Colour = 0x00FF0000;
  settings.Bold = 1;
  settings.Min = 0;
  settings.Size = 10;
  settings.Normal = 1;
  settings.Time = 0;
  settings.AVI = 0;
  settings.Icon = 0;
  settings.Random = false;
  settings.Status = 0;
  settings.Reminder = false;
  settings.CDDrive = 0;
}

SettingsStore::SettingsStore(Settings& settings, SettingsBackend& backend, UiServices& ui)
    : settings_(settings), backend_(backend), ui_(ui) {}

void SettingsStore::LoadSettings() {
  if (auto drive = backend_.readInteger("CDDrive")) {
    settings_.CDDrive = *drive;
  } else {
    settings_.CDDrive = 0;
    backend_.writeInteger("CDDrive", 0);
  }

  bool allRead = true;
  for (const StoredValue& value : storedValues()) {
    auto read = backend_.readInteger(value.name);
    if (!read) {
      allRead = false;
      break;
    }
    value.set(settings_, *read);
  }
  if (!allRead) applyLoadDefaults(settings_);
}

void SettingsStore::SaveVirtualDriveImage(const QString& image) {
  if (!backend_.writeText("VirtualDrive/Image", image)) ui_.beep();
}

void SettingsStore::SaveSettings() {
  for (const StoredValue& value : storedValues()) {
    if (!backend_.writeInteger(value.name, value.get(settings_))) {
      ui_.beep();
      return;
    }
  }
}
