#include "app/guarded_application.h"
#include "app/media_device/media_device_factory.h"
#include "app/qt_ui_services.h"
#include "app/windows/help_window.h"
#include "app/window_set/forms.h"
#include "cd/cd_player_window.h"
#include "picture/graphic_formats.h"
#include "platform/linux_platform.h"
#include "platform/settings_backend.h"
#include "platform/termination_signals.h"
#include "viewer/fif/fif_registration.h"

namespace {

// The program's windows on the real toolkit, platform and devices. The devices
// outlive the windows, so a disc left playing is handed on when they go.
int run(GuardedApplication& application) {
  QtUiServices ui;
  IniSettingsBackend settings;
  LinuxPlatform platform;
  HelpWindow help;
  std::unique_ptr<MediaDeviceFactory> devices = makeSystemMediaDeviceFactory();
  application.onError([&ui](const QString& error) { ui.messageDlg(MessageKind::Error, error); });
  CorvelaProgram corvela(ui, settings, platform.services(help), *devices);
  // Start-up may have found large fonts: the loop then ends at once, unshown.
  if (!ui.terminating()) corvela.forms.Form1->show();
  const int exitCode = application.exec();
  application.onError(nullptr);
  corvela.SaveSettingsIfStillActive();
  return exitCode;
}

}  // namespace

int main(int argc, char* argv[]) {
  GuardedApplication application(argc, argv);
  QApplication::setApplicationName("Corvela Pro");
  QuitOnTerminationSignals();
  // Fractal pictures join the picture formats only when their library loads.
  RegisterFifFormat(GraphicFormats::Standard());
  const int exitCode = run(application);
  UnregisterFifFormat(GraphicFormats::Standard());
  return exitCode;
}
