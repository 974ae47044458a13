#pragma once

class Forms;
class MediaDeviceFactory;
struct PlatformServices;
class SettingsStore;
class UiServices;
struct ProgramState;

// What every window is given: the program-wide state, the settings store, the
// toolkit, platform and media device seams, and the window set for reaching
// the others.
struct Program {
  ProgramState& state;
  SettingsStore& store;
  UiServices& ui;
  PlatformServices& platform;
  MediaDeviceFactory& devices;
  Forms& forms;
};
