#include "wiring/front_window.h"

#include "program/forms.h"
#include "windows/cd/cd_player_window.h"
#include "windows/media/media_player_window.h"
#include "windows/viewer/graphics_viewer_window.h"

Form& frontWindow(Forms& forms) {
  if (forms.Form4->isVisible()) return *forms.Form4;
  if (forms.Form9->isVisible()) return *forms.Form9;
  return *forms.Form1;
}

void bringToFront(Form& window) {
  window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
  window.show();
  window.raise();
  window.activateWindow();
}
