#include <QApplication>

#include "windows/clipboard_viewer/clipboard_viewer_window.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QApplication::setApplicationName("Corvela Pro Clipboard Viewer");
  ClipboardViewerWindow window;
  window.show();
  return application.exec();
}
