#include <QApplication>
#include <QDir>
#include <QTimer>

#include "platform/linux_platform.h"
#include "platform/qt_ui_services.h"
#include "platform/settings_backend.h"
#include "platform/shell.h"
#include "platform/termination_signals.h"
#include "program/guarded_application.h"
#include "services/fif/fif_registration.h"
#include "services/media_device/media_device_factory.h"
#include "services/picture/graphic_formats.h"
#include "windows/cd/cd_player_window.h"
#include "windows/common/help_window.h"
#include "wiring/clipboard_handover.h"
#include "wiring/corvela_program.h"
#include "wiring/handed_files.h"
#include "wiring/media_keys.h"

namespace {

// The program's windows on the real toolkit, platform and devices. The devices
// outlive the windows, so a disc left playing is handed on when they go.
// Files named on the command line (the desktop's "open with") go to the copy
// already running when there is one; this copy then ends at once.
int run(GuardedApplication& application, const QStringList& files) {
  LinuxPlatform platform;
  InstanceMarker& marker = platform.instanceMarker;
  if (!files.isEmpty() && marker.exists() &&
      marker.handFilesToRunningCopy(QDir::currentPath(), files))
    return 0;

  QtUiServices ui;
  IniSettingsBackend settings;
  HelpWindow help;
  std::unique_ptr<MediaDeviceFactory> devices = makeSystemMediaDeviceFactory();
  application.onError([&ui](const QString& error) { ui.messageDlg(MessageKind::Error, error); });
  CorvelaProgram corvela(ui, settings, platform.services(help), *devices);
  HandedFiles handedFiles(corvela.forms);
  marker.onFilesHandedOver([&handedFiles](const QString& folder, const QStringList& paths) {
    handedFiles.open(folder, paths);
  });
  MediaKeys mediaKeys(corvela.forms);
  // Start-up may have found large fonts: the loop then ends at once, unshown.
  if (!ui.terminating()) {
    corvela.forms.Form1->show();
    if (!files.isEmpty())
      QTimer::singleShot(0,
                         [&handedFiles, files] { handedFiles.open(QDir::currentPath(), files); });
  }
  const int exitCode = application.exec();
  application.onError(nullptr);
  corvela.SaveSettingsIfStillActive();
  HandClipboardToKeeper(DesktopShell::findProgram("corvela-clipboard"));
  return exitCode;
}

}  // namespace

int main(int argc, char* argv[]) {
  GuardedApplication application(argc, argv);
  QApplication::setApplicationName("Corvela Pro");
  QuitOnTerminationSignals();
  // Fractal pictures join the picture formats only when their library loads.
  RegisterFifFormat(GraphicFormats::Standard());
  const int exitCode = run(application, QApplication::arguments().mid(1));
  UnregisterFifFormat(GraphicFormats::Standard());
  return exitCode;
}
