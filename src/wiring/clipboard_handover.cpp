#include "wiring/clipboard_handover.h"

#include <QBuffer>
#include <QClipboard>
#include <QEventLoop>
#include <QGuiApplication>
#include <QImage>
#include <QProcess>
#include <QTemporaryFile>
#include <QTimer>
#include <memory>

// After Qt, whose headers its macros would clash with.
#include <X11/Xlib.h>

namespace {

// How long the keeper may take to own the clipboard before the program ends
// without it.
constexpr int KeeperStartMilliseconds = 3000;

bool clipboardManagerRuns() {
  if (QGuiApplication::platformName() != "xcb") return false;
  std::unique_ptr<Display, int (*)(Display*)> display(XOpenDisplay(nullptr), XCloseDisplay);
  if (!display) return false;
  const Atom manager = XInternAtom(display.get(), "CLIPBOARD_MANAGER", False);
  return XGetSelectionOwner(display.get(), manager) != None;
}

QByteArray asPng(const QImage& picture) {
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  picture.save(&buffer, "PNG");
  return png;
}

// The keeper reads the picture from a private file as its standard input;
// the file goes once the keeper has it open.
std::optional<qint64> startKeeper(const QString& keeper, const QByteArray& png) {
  QTemporaryFile file;
  if (!file.open() || file.write(png) != png.size() || !file.flush()) return std::nullopt;
  QProcess process;
  process.setProgram(keeper);
  process.setArguments({"--keep"});
  process.setStandardInputFile(file.fileName());
  process.setStandardOutputFile(QProcess::nullDevice());
  process.setStandardErrorFile(QProcess::nullDevice());
  qint64 pid = 0;
  if (!process.startDetached(&pid)) return std::nullopt;
  return pid;
}

// Until the keeper owns the clipboard this program must go on answering for
// it, or a paste in between would find nothing.
void waitForOwnershipToPass(QClipboard& clipboard) {
  QEventLoop loop;
  QObject::connect(&clipboard, &QClipboard::changed, &loop, [&](QClipboard::Mode mode) {
    if (mode == QClipboard::Clipboard && !clipboard.ownsClipboard()) loop.quit();
  });
  QTimer::singleShot(KeeperStartMilliseconds, &loop, &QEventLoop::quit);
  if (clipboard.ownsClipboard()) loop.exec();
}

}  // namespace

std::optional<qint64> HandClipboardToKeeper(const QString& keeper) {
  QClipboard& clipboard = *QGuiApplication::clipboard();
  if (!clipboard.ownsClipboard() || clipboardManagerRuns()) return std::nullopt;
  const QImage picture = clipboard.image();
  if (picture.isNull()) return std::nullopt;
  const std::optional<qint64> pid = startKeeper(keeper, asPng(picture));
  if (pid) waitForOwnershipToPass(clipboard);
  return pid;
}
