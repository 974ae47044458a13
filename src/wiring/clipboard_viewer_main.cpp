#include <QApplication>
#include <QFile>
#include <cstring>

#include "windows/clipboard_viewer/clipboard_keeper.h"
#include "windows/clipboard_viewer/clipboard_viewer_window.h"

namespace {

// "--keep" serves the picture on standard input instead of showing a window.
bool keepingAsked(int argc, char* argv[]) {
  for (int i = 1; i < argc; ++i)
    if (std::strcmp(argv[i], "--keep") == 0) return true;
  return false;
}

int keepStandardInput(int argc, char* argv[]) {
  QFile input;
  if (!input.open(stdin, QIODevice::ReadOnly)) return 1;
  return KeepClipboard(input.readAll(), argc, argv);
}

}  // namespace

int main(int argc, char* argv[]) {
  if (keepingAsked(argc, argv)) return keepStandardInput(argc, argv);
  QApplication application(argc, argv);
  QApplication::setApplicationName("Corvela Pro Clipboard Viewer");
  ClipboardViewerWindow window;
  window.show();
  return application.exec();
}
