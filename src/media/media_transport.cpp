// Play and Stop: arming the playback step and returning to the idle list.
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>

#include "app/timer.h"
#include "app/ui_services.h"
#include "media/media_player_window.h"

void TForm4::Button1Click(QObject* /*Sender*/) {
  if (ListBox1->currentRow() < 0) ListBox1->setCurrentRow(0);
  if (!AnyTicked()) {
    Button2Click(Button1);
    return;
  }
  Button16->setEnabled(false);
  if (MpegOpen()) CloseMpeg();
  if (mciPlaying()) MediaPlayer1->stop();
  MediaPlayer1->setTimeFormat(TimeFormat::Milliseconds);
  setVideoSizeChoicesEnabled(false);
  Button17->setEnabled(false);
  if (ListBox1->count() > 0) Button18->setEnabled(false);

  PlayCursor = ListBox1->currentRow() > LastIndex ? 0 : ListBox1->currentRow();
  MpegActive = false;
  while (!Lines.ticked(PlayCursor)) {
    if (++PlayCursor > LastIndex) {
      PlayCursor = 0;
      Button2Click(Button1);
      program_.ui.messageDlg(MessageKind::Information,
                             "There are no more selections.\r\rPlease select (tick) and highlight "
                             "a file from\rwhere you wish Auto Play to begin.");
      return;
    }
  }
  setLookControlsEnabled(true);
  PlayBusy = false;
  Button4->setFocus();
  ListBox1->setCurrentRow(PlayCursor);
  SelectedCount = 0;
  for (int index = 0; index < ListBox1->count(); ++index) SelectedCount += Lines.ticked(index);
  showSelectedCount(SelectedCount);
  for (QWidget* control : std::initializer_list<QWidget*>{Button1, Button4, Button5, CheckBox1, Button3})
    control->setEnabled(true);
  Timer1->setEnabled(true);
  program_.ui.setCursor(ScreenCursor::Normal);
  Button16->setEnabled(true);
}

void TForm4::Button2Click(QObject* Sender) {
  PlayBusy = true;
  TrackBar1->setEnabled(false);
  Timer1->setEnabled(false);
  if (MpegActive) {
    if (MpegPlaying()) {
      CloseMpeg();
      MpegActive = false;
    }
  } else if (mciPlaying()) {
    MediaPlayer1->stop();
    MediaPlayer1->close();
  }

  setToolsAndHelpEnabled(true);
  Panel1->hide();
  showListIfFilled();
  ListBox1->repaint();
  Button18->setEnabled(ListBox1->count() > 0);
  setExtent(3000);
  setLookControlsEnabled(true);
  setSelectionRowShown(true);

  emptyPlaybackLabels();
  CurrentTitle.clear();
  CurrentFileName.clear();
  clearPosition();

  setTransportEnabled(true);
  Button3->setEnabled(false);
  setVideoSizeChoicesEnabled(true);
  NextBusy = false;
  PreviousBusy = false;

  // The commands that leave the window must not report a missing highlight on their way out.
  const bool leaving = Sender == DisplayGraphicFiles1 || Sender == Button16 || Sender == Button7 ||
                       Sender == ReturntoCDPlayer1 || Sender == VisitCorvelaProWebSite1;
  if (isVisible() && Button1->isEnabled()) {
    if (!leaving) ListBox1Click(Sender);
    Button1->setFocus();
  }
  program_.ui.setCursor(ScreenCursor::Normal);
}
