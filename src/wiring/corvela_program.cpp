#include "wiring/corvela_program.h"

#include "platform/ui_services.h"

CorvelaProgram::CorvelaProgram(UiServices& ui, SettingsBackend& settingsBackend,
                               PlatformServices platform, MediaDeviceFactory& devices)
    : platformServices(platform),
      store(state.settings, settingsBackend, ui),
      program{state, store, ui, platformServices, devices, forms, forms} {
  ui.setApplicationTitle("Corvela Pro");
  forms.createAll(program);
}

void CorvelaProgram::SaveSettingsIfStillActive() {
  if (!state.settings.Active) return;
  state.settings.Active = false;
  store.SaveSettings();
}
