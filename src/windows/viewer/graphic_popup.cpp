// The picture's popup menu, the mouse on the picture, and pointer parking
// around the popup commands.
#include <QAction>
#include <QCheckBox>
#include <QListWidget>
#include <QMenu>
#include <QRadioButton>

#include "platform/platform_services.h"
#include "platform/pointer.h"
#include "windows/viewer/graphics_viewer_window.h"
#include "windows/viewer/picture_area.h"

void TForm9::PopupMenu1Popup() {
  program_.platform.pointer.moveTo(screenCentre());
  SlideShowOn1->setEnabled(!Pictures->showRunning());
}

void TForm9::Next1Click() {
  parkPointer(pointerBesideWindow(125, 80));
  Button6Click();
}

void TForm9::Previous1Click() {
  parkPointer(pointerBesideWindow(125, 80));
  Button7Click();
}

void TForm9::Cancel1Click() { parkPointer(QPoint(Image1->width() + 5, Image1->height() + 5)); }

void TForm9::FileDetails1Click() {
  program_.platform.pointer.moveTo(screenCentre());
  ShowFileDetails(true);
  Cancel1Click();
}

void TForm9::SlideShowOn1Click() {
  if (Pictures->PictureSize == PictureWalk::Size::FillScreen)
    program_.platform.pointer.moveTo(QPoint(screenSize().width(), screenSize().height()));
  else
    program_.platform.pointer.moveTo(pointerBesideWindow(110, 85));
  CheckBox2->setChecked(true);
  SlideShowOn1->setEnabled(false);
}

void TForm9::Image1MouseDown(Qt::MouseButton button) {
  const bool tvLook = Pictures->TvLook;
  if (button == Qt::LeftButton && tvLook) activateWindow();
  if (button != Qt::RightButton) return;
  if (!tvLook)
    PopupMenu1->popup(screenCentre());
  else if (Pictures->CurrentFileName.isEmpty())
    Button6Click();
  else
    ShowFileDetails(true);
}

void TForm9::Image1DblClick() {
  activateWindow();
  if (Pictures->TvLook && !Pictures->showRunning()) PrintRequest();
}

void TForm9::BackgroundRightClick() {
  if (ListBox1->count() > 0 && Pictures->pictureShown()) ShowFileDetails(true);
}
