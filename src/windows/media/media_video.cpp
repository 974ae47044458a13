// Where a video is drawn (fitted in the panel, full screen, or at its own size
// in the device's own window) and how the list comes back afterwards.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QRadioButton>

#include "platform/platform_services.h"
#include "platform/taskbar.h"
#include "program/forms.h"
#include "program/program_state.h"
#include "windows/media/full_screen_video_window.h"
#include "windows/media/media_player_window.h"

// The list area gives way to the video.
void TForm4::hideListForVideo() {
  ListBox1->hide();
  SavePlayList2->setEnabled(false);
  setLookControlsEnabled(false);
  setSelectionRowShown(false);
}

void TForm4::placeVideo() {
  if (RadioButton2->isChecked()) {
    MediaPlayer1->setDisplay(Panel1);
    MediaPlayer1->setDisplayRect(QRect(0, 0, Panel1->width(), Panel1->height()));
    Panel1->show();
    Sequence.videoPlaced(VideoWindow::Panel);
  } else if (RadioButton3->isChecked()) {
    TForm16& fullScreen = *program_.forms.Form16;
    program_.platform.taskbar.hide();
    fullScreen.sizeToScreen();
    MediaPlayer1->setDisplay(fullScreen.client());
    MediaPlayer1->setDisplayRect(QRect(QPoint(0, 0), fullScreen.client()->size()));
    Panel1->hide();
    fullScreen.showFullScreen();
    fullScreen.activateWindow();
    fullScreen.setFocus();
    program_.state.settings.AVI = 0;
    Sequence.videoPlaced(VideoWindow::FullScreen);
  } else {
    MediaPlayer1->setDisplay(nullptr);
    Sequence.videoPlaced(VideoWindow::OwnWindow);
  }
}

// The list and its selection row in place of a video.
void TForm4::showListAgain() {
  Panel1->hide();
  showListIfFilled();
  setExtent(30);
  setExtent(3000);
  setSelectionRowShown(true);
  setLookControlsEnabled(true);
}

// The window as it stands when nothing plays.
void TForm4::restoreIdleControls() {
  setMenusEnabled(true);
  showListAgain();
  setVideoSizeChoicesEnabled(true);
  Button17->setEnabled(true);
  CheckBox1->setEnabled(true);
  Button3->setEnabled(false);
  if (isVisible()) focusWindow();
}

// A sound follows a full-screen video: the window goes, without the close's stop.
void TForm4::leaveFullScreen() {
  if (takeDownFullScreen(false) && program_.forms.Form16->Tag == 1) showNormal();
}

void TForm4::closeFullScreen() { takeDownFullScreen(true); }

// False when the full-screen window was not up.
bool TForm4::takeDownFullScreen(bool closing) {
  TForm16& fullScreen = *program_.forms.Form16;
  if (!fullScreen.isVisible()) return false;
  if (closing)
    fullScreen.close();
  else
    fullScreen.hide();
  Panel1->hide();
  program_.platform.taskbar.show();
  return true;
}

// A video at its own size plays in a window of the device's own, which stays in front.
void TForm4::arrangeAroundVideo() {
  if (RadioButton1->isChecked())
    lower();
  else
    raise();
}
