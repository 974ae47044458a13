#include "windows/clipboard_viewer/clipboard_keeper.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>
#include <cstdio>

#include "platform/wayland_clipboard.h"

namespace {

int keepWithToolkit(const QImage& picture, int argc, char* argv[]) {
  QGuiApplication application(argc, argv);
  QClipboard* clipboard = QGuiApplication::clipboard();
  QObject::connect(clipboard, &QClipboard::changed, clipboard, [clipboard](QClipboard::Mode mode) {
    if (mode == QClipboard::Clipboard && !clipboard->ownsClipboard()) QGuiApplication::quit();
  });
  clipboard->setImage(picture);
  // A desktop that refuses us the clipboard leaves nothing to serve.
  if (!clipboard->ownsClipboard()) return 1;
  return QGuiApplication::exec();
}

// A Wayland desktop without data control refuses a windowless client the
// clipboard; through its X server the keeper can still own the X clipboard,
// which the desktop passes on to Wayland programs.
void preferTheXServerOnWayland() {
  if (qEnvironmentVariableIsSet("WAYLAND_DISPLAY") && qEnvironmentVariableIsSet("DISPLAY") &&
      !qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
    qputenv("QT_QPA_PLATFORM", "xcb");
}

}  // namespace

int KeepClipboard(const QByteArray& png, int argc, char* argv[]) {
  const QImage picture = QImage::fromData(png, "PNG");
  if (picture.isNull()) return 1;
  try {
    if (KeepOnWaylandClipboard("image/png", png) == WaylandKeeping::Ended) return 0;
  } catch (const WaylandClipboardError& error) {
    std::fprintf(stderr, "The picture left on the clipboard is gone: %s.\n", error.what());
    return 1;
  }
  preferTheXServerOnWayland();
  return keepWithToolkit(picture, argc, argv);
}
