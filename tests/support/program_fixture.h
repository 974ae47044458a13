#pragma once

#include <memory>

#include "fake_media_device.h"
#include "fake_platform.h"
#include "platform/settings_backend.h"
#include "ui_double.h"
#include "wiring/corvela_program.h"

// A whole program on the toolkit double, the fake platform, fake devices
// (one virtual drive, no disc until a test inserts one) and a real settings file in the test's own
// config folder. Set up the fakes, then start().
struct ProgramFixture {
  UiDouble ui;
  FakePlatform platform;
  IniSettingsBackend settings;
  FakeMediaDeviceFactory devices;
  std::unique_ptr<CorvelaProgram> corvela;

  CorvelaProgram& start() {
    corvela = std::make_unique<CorvelaProgram>(ui, settings, platform.services(), devices);
    return *corvela;
  }
  Forms& forms() { return corvela->forms; }
  ProgramState& state() { return corvela->state; }
};
