#include "app/desktop/front_window.h"

#include "app/window_set/forms.h"
#include "cd/cd_player_window.h"
#include "media/media_player_window.h"
#include "viewer/graphics_viewer_window.h"

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
