// The shapes the viewer's window takes: border, client size and place on the
// screen, and where the pointer is parked out of a picture's way.
#include <QFrame>
#include <QLayout>
#include <QRadioButton>
#include <QScreen>

#include "platform/platform_services.h"
#include "platform/pointer.h"
#include "windows/viewer/graphics_viewer_window.h"
#include "windows/viewer/picture_area.h"

namespace {

// The control panel alone, with a margin all round, near the screen's top.
constexpr int CompactMargin = 6;
const QPoint CompactPlace(400, 53);

}  // namespace

// Changing the border of a shown window hides it; it is shown again at once.
void TForm9::setBorder(bool single) {
  const bool borderless = windowFlags().testFlag(Qt::FramelessWindowHint);
  if (borderless != single) return;
  const bool shown = isVisible();
  setWindowFlag(Qt::FramelessWindowHint, !single);
  if (shown) show();
}

void TForm9::setClientSize(QSize size) {
  leaveFullScreen();
  client()->setFixedSize(size);
  layout()->activate();
}

// The window system's full-screen state, on the screen the window is on: a
// window merely the screen's size stays under the desktop's panels.
void TForm9::enterFullScreen() {
  client()->setFixedSize(screenSize());
  layout()->activate();
  // Where no window manager acts on the state, the window covers the screen itself.
  setGeometry(screen()->geometry());
  setWindowState(windowState() | Qt::WindowFullScreen);
  pictureFillsWindow();
}

void TForm9::leaveFullScreen() {
  if (isFullScreen()) setWindowState(windowState() & ~Qt::WindowFullScreen);
}

void TForm9::centreWindow() {
  const QSize screen = screenSize();
  move((screen.width() - width()) / 2, (screen.height() - height()) / 2);
}

void TForm9::pictureFillsWindow() { Image1->setGeometry(client()->rect()); }

void TForm9::enterCompactShape() {
  setBorder(false);
  Panel1->move(CompactMargin, CompactMargin);
  Panel1->show();
  setClientSize(Panel1->size() + QSize(2 * CompactMargin, 2 * CompactMargin));
  move(CompactPlace);
}

QSize TForm9::screenSize() const { return screen()->geometry().size(); }

QPoint TForm9::screenCentre() const {
  return QPoint(screenSize().width() / 2, screenSize().height() / 2);
}

QPoint TForm9::pointerBesideWindow(int right, int down) const {
  return QPoint(width() + right, height() + down);
}

// Just inside the bottom-right corner of a picture centred at its own size.
QPoint TForm9::pointerBelowPicture() const {
  const QSize screen = screenSize();
  const QSize picture = pictureSize();
  return QPoint(screen.width() / 2 + picture.width() / 2 - 5,
                screen.height() / 2 + picture.height() / 2 - 5);
}

void TForm9::parkPointer(QPoint fitWindowPlace) {
  QPoint place = fitWindowPlace;
  if (Pictures->PictureSize == PictureWalk::Size::FillScreen)
    place = QPoint(screenSize().width(), screenSize().height());
  else if (Pictures->PictureSize == PictureWalk::Size::Original)
    place = pointerBelowPicture();
  program_.platform.pointer.moveTo(place);
}
