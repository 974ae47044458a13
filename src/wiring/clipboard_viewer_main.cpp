#include <QApplication>
#include <QFile>

#include "windows/clipboard_viewer/clipboard_keeper.h"
#include "windows/clipboard_viewer/clipboard_viewer_window.h"

namespace {

// "--keep" serves the picture on standard input instead of showing a window.
int keepStandardInput() {
  QFile input;
  if (!input.open(stdin, QIODevice::ReadOnly)) return 1;
  return KeepClipboard(input.readAll());
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QApplication::setApplicationName("Corvela Pro Clipboard Viewer");
  if (QApplication::arguments().contains("--keep")) return keepStandardInput();
  ClipboardViewerWindow window;
  window.show();
  return application.exec();
}
