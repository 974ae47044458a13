// What one tick of the CD player's display timer costs while a track plays on
// the real device (a generated disc image sounding into a capture file),
// printed beside the timer's 100 ms interval. Run by hand: bin/cd_tick_bench.
#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTemporaryDir>
#include <cstdio>

#include "disc_image_writer.h"
#include "platform/linux_platform.h"
#include "platform/qt_ui_services.h"
#include "platform/settings_backend.h"
#include "program/program_state.h"
#include "services/media_device/media_device_factory.h"
#include "windows/cd/cd_player_window.h"
#include "windows/common/help_window.h"
#include "wiring/corvela_program.h"

namespace {

constexpr int kTicks = 2000;
constexpr double kIntervalMs = 100.0;

}  // namespace

int main(int argc, char* argv[]) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  QTemporaryDir dir;
  qputenv("XDG_CONFIG_HOME", dir.filePath("config").toLocal8Bit());
  writeDiscImage(dir.filePath("disc.cue").toStdString(),
                 {{tone(440, 120), {}}, {tone(550, 30), {}}});

  SystemDeviceOptions options;
  options.output.captureFile = dir.filePath("capture.raw");
  options.settingsFile = dir.filePath("Corvela.conf");
  options.demoDisc = dir.filePath("disc.cue");
  options.physicalDrives = false;
  std::unique_ptr<MediaDeviceFactory> devices = makeSystemMediaDeviceFactory(options);
  QtUiServices ui;
  IniSettingsBackend settings;
  LinuxPlatform platform;
  HelpWindow help;
  CorvelaProgram corvela(ui, settings, platform.services(help), *devices);
  TForm1& cd = *corvela.forms.Form1;
  cd.Button7Click();
  cd.Button1Click(cd.Button1);
  QCoreApplication::processEvents();

  QElapsedTimer clock;
  clock.start();
  for (int i = 0; i < kTicks; ++i) cd.Timer1Timer();
  const double perTickMs = clock.nsecsElapsed() / 1e6 / kTicks;
  std::printf(
      "display tick while playing: %.4f ms per tick, %.3f %% of its %.0f ms interval"
      " (target under 1 %%)\n",
      perTickMs, 100.0 * perTickMs / kIntervalMs, kIntervalMs);
  cd.Button2Click(cd.Button2);
  return 0;
}
