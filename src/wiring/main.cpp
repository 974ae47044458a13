#include <QApplication>
#include <QDir>
#include <QTimer>
#include <cstdio>

#include "platform/linux_platform.h"
#include "platform/qt_translations.h"
#include "platform/qt_ui_services.h"
#include "platform/recent_files.h"
#include "platform/settings_backend.h"
#include "platform/shell.h"
#include "platform/termination_signals.h"
#include "program/form.h"
#include "program/guarded_application.h"
#include "services/fif/fif_registration.h"
#include "services/media_device/media_device_factory.h"
#include "services/picture/graphic_formats.h"
#include "windows/cd/cd_player_window.h"
#include "windows/common/help_window.h"
#include "wiring/clipboard_handover.h"
#include "wiring/command_line.h"
#include "wiring/corvela_program.h"
#include "wiring/front_window.h"
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
  XbelRecentFiles recentFiles;
  HandedFiles handedFiles(corvela.forms, recentFiles);
  marker.onFilesHandedOver([&handedFiles](const QString& folder, const QStringList& paths) {
    handedFiles.open(folder, paths);
  });
  MediaKeys mediaKeys(corvela.forms, handedFiles);
  // The tray icon brings the program back as the desktop's media controls do.
  ui.offerInTray({{"&Restore", [&mediaKeys] { mediaKeys.raise(); }},
                  {"Mi&nimize", [&corvela] { frontWindow(corvela.forms).showMinimized(); }},
                  {"E&xit", [&mediaKeys] { mediaKeys.quit(); }}});
  // Start-up may have found large fonts: the loop then ends at once, unshown.
  if (!ui.terminating()) {
    corvela.forms.Form1->show();
    if (!files.isEmpty())
      QTimer::singleShot(0,
                         [&handedFiles, files] { handedFiles.open(QDir::currentPath(), files); });
  }
  const int exitCode = application.exec();
  application.onError(nullptr);
  ui.offerInTray({});
  corvela.SaveSettingsIfStillActive();
  HandClipboardToKeeper(DesktopShell::findProgram("corvela-clipboard"));
  return exitCode;
}

// The usage and the version answer on the command line, before the toolkit
// looks for a display.
std::optional<QString> answerOnCommandLine(int argc, char* argv[]) {
  QStringList arguments;
  for (int i = 1; i < argc; ++i) arguments << QString::fromLocal8Bit(argv[i]);
  return commandLineAnswer(arguments);
}

}  // namespace

int main(int argc, char* argv[]) {
  if (const std::optional<QString> answer = answerOnCommandLine(argc, argv)) {
    std::fputs(answer->toLocal8Bit().constData(), stdout);
    return 0;
  }
  GuardedApplication application(argc, argv);
  QApplication::setApplicationName("Corvela Pro");
  installQtTranslations(application);
  QuitOnTerminationSignals();
  // Fractal pictures join the picture formats only when their library loads.
  RegisterFifFormat(GraphicFormats::Standard());
  const int exitCode = run(application, QApplication::arguments().mid(1));
  UnregisterFifFormat(GraphicFormats::Standard());
  return exitCode;
}
