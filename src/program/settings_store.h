#pragma once

#include <QString>

#include "program/settings.h"

class SettingsBackend;
class UiServices;

// Loads and saves the settings variables through the settings backend.
class SettingsStore {
 public:
  SettingsStore(Settings& settings, SettingsBackend& backend, UiServices& ui);

  // Two stages: the drive choice first (written back at once when missing),
  // then every value; any failed read of the second stage puts every value
  // with a default back to its default. Failures are not reported.
  void LoadSettings();
  // Writes every value in the fixed order; the first failed write beeps and
  // ends the save, leaving what was written before it.
  void SaveSettings();
  // The virtual drive's disc from now on; a failed write beeps, as a failed save does.
  void SaveVirtualDriveImage(const QString& image);

 private:
  Settings& settings_;
  SettingsBackend& backend_;
  UiServices& ui_;
};
