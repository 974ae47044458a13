// Ctrl+C in the graphics viewer on a real X display: another program reads the
// picture back from the X clipboard. Runs under a virtual X server, with a main
// of its own: "--read" makes it the reading program.
#include <QApplication>
#include <QClipboard>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QFile>
#include <QKeyEvent>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>
#include <QTimer>
#include <cstdio>

#include "viewer_fixture.h"
#include "windows/viewer/picture_area.h"
#include "wiring/clipboard_handover.h"

namespace {

QString selfPath;

// What another program finds on the clipboard: "WxH" of its picture, or "none".
QString readByAnotherProgram() {
  QProcess reader;
  QEventLoop loop;
  // This program owns the selection and must answer the reader meanwhile.
  QObject::connect(&reader, &QProcess::finished, &loop, &QEventLoop::quit);
  QTimer::singleShot(20000, &loop, &QEventLoop::quit);
  reader.start(selfPath, {"--read"});
  loop.exec();
  return QString::fromUtf8(reader.readAllStandardOutput()).trimmed();
}

struct X11Clipboard : ViewerFixture {
  X11Clipboard() { QApplication::clipboard()->clear(); }
  void show(const QString& name, const char* format, QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    image.save(file(name), format);
    select({file(name)});
    viewer->Button2Click(viewer->Button2);
    ui.clear();
  }
  // The key goes to a control of the window, which the window sees first.
  void pressCtrlC() {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_C, Qt::ControlModifier, "\x03");
    QApplication::sendEvent(viewer->Button16, &press);
  }
};

TEST(X11Clipboard, CtrlCOnAJpegPutsAnImageOnTheXClipboard) {
  X11Clipboard f;
  f.show("photo.jpg", "JPG", {64, 48});
  f.pressCtrlC();
  EXPECT_EQ(readByAnotherProgram(), "64x48");
  EXPECT_TRUE(f.state().ClipboardDataPresent);
}

TEST(X11Clipboard, CtrlCOnAnIconCopiesNothing) {
  X11Clipboard f;
  f.show("sign.ico", "ICO", {32, 32});
  f.pressCtrlC();
  EXPECT_EQ(f.ui.texts(), QStringList{"The Clipboard does not support Icons"});
  EXPECT_EQ(readByAnotherProgram(), "none");
}

TEST(X11Clipboard, CtrlCWithTheListShownCopiesNothing) {
  X11Clipboard f;
  f.select({f.picture("a.bmp")});
  f.pressCtrlC();
  EXPECT_EQ(readByAnotherProgram(), "none");
}

// Whether the process ends (or is left unreaped) within ten seconds.
bool ends(qint64 pid) {
  QDeadlineTimer deadline(10000);
  while (!deadline.hasExpired()) {
    QFile status(QString("/proc/%1/stat").arg(pid));
    if (!status.open(QIODevice::ReadOnly) || status.readAll().contains(") Z ")) return true;
    QThread::msleep(50);
  }
  return false;
}

// No clipboard manager runs on the virtual display, so the keeper must take
// the picture for the copy to outlive the program.
TEST(X11Clipboard, APictureLeftAtTheEndIsKeptUntilAnotherProgramCopies) {
  X11Clipboard f;
  f.show("photo.jpg", "JPG", {64, 48});
  f.pressCtrlC();
  const std::optional<qint64> keeper = HandClipboardToKeeper(CLIPBOARD_KEEPER);
  ASSERT_TRUE(keeper.has_value());
  EXPECT_FALSE(QApplication::clipboard()->ownsClipboard());
  EXPECT_EQ(readByAnotherProgram(), "64x48");
  // Another program, whose clock is newer than the keeper's: this one's last
  // event is older, and the X server would refuse it the clipboard.
  QProcess::execute(selfPath, {"--copy"});
  EXPECT_TRUE(ends(*keeper));
}

int readClipboard(int argc, char** argv) {
  QApplication application(argc, argv);
  const QImage image = QApplication::clipboard()->image();
  const QByteArray answer =
      image.isNull() ? "none"
                     : QByteArray::number(image.width()) + 'x' + QByteArray::number(image.height());
  std::printf("%s\n", answer.constData());
  return 0;
}

// Takes the clipboard for a moment, as another program copying would.
int copyText(int argc, char** argv) {
  QApplication application(argc, argv);
  QApplication::clipboard()->setText("another copy");
  QTimer::singleShot(500, &application, &QApplication::quit);
  return application.exec();
}

}  // namespace

// After every use of Qt's events, whose names its macros would replace.
#include <X11/Xlib.h>

namespace {

// Where a clipboard manager runs, the toolkit hands the picture to it at the
// end, and a keeper would only compete with it.
TEST(X11Clipboard, NoKeeperStartsWhereAClipboardManagerRuns) {
  X11Clipboard f;
  f.show("photo.jpg", "JPG", {64, 48});
  f.pressCtrlC();
  Display* manager = XOpenDisplay(nullptr);
  ASSERT_NE(manager, nullptr);
  const Window window =
      XCreateSimpleWindow(manager, DefaultRootWindow(manager), 0, 0, 1, 1, 0, 0, 0);
  XSetSelectionOwner(manager, XInternAtom(manager, "CLIPBOARD_MANAGER", False), window,
                     CurrentTime);
  XSync(manager, False);
  EXPECT_FALSE(HandClipboardToKeeper(CLIPBOARD_KEEPER).has_value());
  EXPECT_TRUE(QApplication::clipboard()->ownsClipboard());
  XCloseDisplay(manager);
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "xcb");
  QTemporaryDir home;
  qputenv("HOME", home.path().toLocal8Bit());
  qputenv("XDG_CONFIG_HOME", (home.path() + "/.config").toLocal8Bit());
  qputenv("XDG_RUNTIME_DIR", home.path().toLocal8Bit());
  if (argc > 1 && QByteArray(argv[1]) == "--read") return readClipboard(argc, argv);
  if (argc > 1 && QByteArray(argv[1]) == "--copy") return copyText(argc, argv);
  QApplication application(argc, argv);
  selfPath = QApplication::applicationFilePath();
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
