#include "windows/clipboard_viewer/clipboard_keeper.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QImage>

int KeepClipboard(const QByteArray& png) {
  const QImage picture = QImage::fromData(png, "PNG");
  if (picture.isNull()) return 1;
  QClipboard* clipboard = QGuiApplication::clipboard();
  QObject::connect(clipboard, &QClipboard::changed, clipboard, [clipboard](QClipboard::Mode mode) {
    if (mode == QClipboard::Clipboard && !clipboard->ownsClipboard()) QGuiApplication::quit();
  });
  clipboard->setImage(picture);
  // A desktop that refuses us the clipboard leaves nothing to serve.
  if (!clipboard->ownsClipboard()) return 1;
  return QGuiApplication::exec();
}
