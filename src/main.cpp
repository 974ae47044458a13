#include <QApplication>

#include "app/qt_ui_services.h"
#include "app/window_set/forms.h"
#include "cd/cd_player_window.h"
#include "platform/linux_platform.h"
#include "platform/settings_backend.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QApplication::setApplicationName("Corvela Pro");
  QtUiServices ui;
  IniSettingsBackend settings;
  LinuxPlatform platform;
  CorvelaProgram corvela(ui, settings, platform.services());
  corvela.forms.Form1->show();
  return application.exec();
}
