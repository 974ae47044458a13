#pragma once

#include "platform/platform_services.h"
#include "program/forms.h"
#include "program/program.h"
#include "program/program_state.h"
#include "program/settings_store.h"

class MediaDeviceFactory;
class SettingsBackend;
class UiServices;

// The whole program: its state, its settings store and its windows, on the
// toolkit, settings, platform and device seams it is given.
class CorvelaProgram {
 public:
  CorvelaProgram(UiServices& ui, SettingsBackend& settingsBackend, PlatformServices platform,
                 MediaDeviceFactory& devices);

  // A way out that passed no close handler (the session ending, a signal)
  // saves the settings as the close handlers do.
  void SaveSettingsIfStillActive();

  PlatformServices platformServices;
  ProgramState state;
  SettingsStore store;
  Forms forms;
  Program program;
};
