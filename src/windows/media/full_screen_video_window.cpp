#include "windows/media/full_screen_video_window.h"

#include <QCursor>
#include <QKeyEvent>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QScreen>

#include "platform/platform_services.h"
#include "platform/taskbar.h"
#include "platform/ui_services.h"
#include "program/forms.h"
#include "windows/media/media_player_window.h"

TForm16::TForm16(Program& program) : Form(program, "", QSize(640, 480)) {
  setObjectName("TForm16");
  setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
  setStyleSheet("TForm16, QWidget#ClientArea { background: black; }");
  createMenu();
  exposeToAccessibility();
}

void TForm16::createMenu() {
  PopupMenu1 = new QMenu(this);
  PopupMenu1->setObjectName("PopupMenu1");
  Next1 = menuItem(PopupMenu1, "Next1", "&Next");
  Previous1 = menuItem(PopupMenu1, "Previous1", "&Previous");
  FileDetails1 = menuItem(PopupMenu1, "FileDetails1", "&File Details");
  Exit1 = menuItem(PopupMenu1, "Exit1", "&Stop");
  Cancel1 = menuItem(PopupMenu1, "Cancel1", "&Cancel");
  handle(PopupMenu1, &QMenu::aboutToShow, &TForm16::PopupMenu1Popup);
  handle(Next1, &QAction::triggered, &TForm16::Next1Click);
  handle(Previous1, &QAction::triggered, &TForm16::Previous1Click);
  handle(FileDetails1, &QAction::triggered, &TForm16::FileDetails1Click);
  handle(Exit1, &QAction::triggered, &TForm16::Exit1Click);
  handle(Cancel1, &QAction::triggered, &TForm16::Cancel1Click);
}

TForm4& TForm16::media() const { return *program_.forms.Form4; }

QRect TForm16::screenArea() const { return screen()->geometry(); }

QPoint TForm16::screenCentre() const { return screenArea().center(); }

void TForm16::parkPointer() { QCursor::setPos(screenArea().bottomRight()); }

// The video fills the screen the media player is on; the window system's
// full-screen state then covers the desktop's panels there.
void TForm16::sizeToScreen() {
  setScreen(media().screen());
  client()->setFixedSize(screenArea().size());
  setGeometry(screenArea());
}

void TForm16::FormActivate() {
  media().showMinimized();
  Tag = 1;
  FullScreenDetailsFile.clear();
  program_.ui.setCursor(ScreenCursor::Normal);
  parkPointer();
}

void TForm16::keyPressEvent(QKeyEvent* event) { FormKeyPress(event->key()); }

void TForm16::FormKeyPress(int key) {
  if (key == Qt::Key_Escape) close();
}

void TForm16::mousePressEvent(QMouseEvent* event) { FormMouseDown(event->button()); }

void TForm16::FormMouseDown(Qt::MouseButton button) {
  if (button == Qt::RightButton) PopupMenu1->popup(screenCentre());
}

void TForm16::PopupMenu1Popup() {
  program_.ui.setCursor(ScreenCursor::Normal);
  QCursor::setPos(screenCentre());
}

void TForm16::Next1Click() {
  media().Button4Click(Next1);
  parkPointer();
}

void TForm16::Previous1Click() {
  media().Button5Click(Previous1);
  parkPointer();
}

// Playback leaves the window alone while the box is open; if it moved on to a
// sound meanwhile, the hidden window closes afterwards.
void TForm16::FileDetails1Click() {
  const QListWidget& list = *media().ListBox1;
  if (list.count() > 0 && list.currentItem()) FullScreenDetailsFile = list.currentItem()->text();
  if (FullScreenDetailsFile.isEmpty()) return;
  Tag = 0;
  media().FileDetailsFromFullScreen();
  parkPointer();
  Tag = 1;
  FullScreenDetailsFile.clear();
  if (isHidden()) close();
}

void TForm16::Exit1Click() { close(); }

void TForm16::Cancel1Click() { parkPointer(); }

void TForm16::FormClose() {
  media().Button2Click(this);
  program_.platform.taskbar.show();
  Tag = FullScreenDetailsFile.isEmpty() ? 1 : 0;
  if (Tag == 0) return;
  TForm4& window = media();
  window.showNormal();
  window.Panel1->hide();
  window.show();
  repaint();
  program_.ui.processMessages();
  window.activateWindow();
  window.setFocus();
  QCursor::setPos(screenCentre());
}
