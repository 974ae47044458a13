#pragma once

class Forms;
class MainWindows;
class MediaDeviceFactory;
struct PlatformServices;
class SettingsStore;
class UiServices;
struct ProgramState;

// What every window is given: the program-wide state, the settings store, the
// toolkit, platform and media device seams, the window set for reaching the
// windows of its own part of the program, and the main windows for asking the
// others.
struct Program {
  ProgramState& state;
  SettingsStore& store;
  UiServices& ui;
  PlatformServices& platform;
  MediaDeviceFactory& devices;
  Forms& forms;
  MainWindows& windows;
};
