// The transport: Play arms the playback step, Stop returns to the idle list,
// Pause holds the file, Next and Previous move along the ticked lines.
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

#include "app/timer.h"
#include "app/ui_services.h"
#include "app/window_set/forms.h"
#include "media/full_screen_video_window.h"
#include "media/media_kind.h"
#include "media/media_player_window.h"
#include "media/mpeg/mpeg_player.h"

void TForm4::Button1Click(QObject* /*Sender*/) {
  if (ListBox1->currentRow() < 0) ListBox1->setCurrentRow(0);
  if (!AnyTicked()) {
    Button2Click(Button1);
    return;
  }
  Button16->setEnabled(false);
  if (MpegOpen()) CloseMpeg();
  if (mciPlaying()) MediaPlayer1->stop();
  // A file that ended with Auto Play off leaves its device open and stopped,
  // which the step takes for "stop here": the user pressing Play wants playback.
  if (MediaPlayer1->mode() == DeviceMode::Stopped) MediaPlayer1->close();
  MediaPlayer1->setTimeFormat(TimeFormat::Milliseconds);
  setVideoSizeChoicesEnabled(false);
  Button17->setEnabled(false);
  if (ListBox1->count() > 0) Button18->setEnabled(false);

  PlayCursor = ListBox1->currentRow() > LastIndex ? 0 : ListBox1->currentRow();
  MpegActive = false;
  if (!moveToTickedLine(Button1)) return;
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

void TForm4::Button3Click() {
  if (MpegActive && MpegPaused) {
    MpegPaused = false;
    MPlayer1->Pause(false);
  } else if (MpegActive) {
    MPlayer1->Pause(true);
    MpegPaused = true;
  } else if (mciPlaying() || MediaPlayer1->mode() == DeviceMode::Paused) {
    MediaPlayer1->pause();
  } else {
    return;
  }
  Button3->setFocus();
  const bool video = PlayCursor > 0 && isVideo(Lines.line(PlayCursor - 1).text);
  const bool held = !(video && !Button1->isEnabled()) &&
                    (MediaPlayer1->mode() == DeviceMode::Paused || MpegPaused);
  TrackBar1->setEnabled(!held);
  Timer1->setEnabled(!held);
  for (QWidget* control : std::initializer_list<QWidget*>{Button1, Button4, Button5, CheckBox1})
    control->setEnabled(!held);
  if (video) arrangeAroundVideo();
}

void TForm4::Button4Click(QObject* Sender) {
  if (!AnyTicked()) {
    Button2Click(Sender);
    NextBusy = false;
    return;
  }
  if (NextBusy) return;
  program_.ui.setCursor(ScreenCursor::HourGlass);
  Timer1->setEnabled(false);
  NextBusy = true;
  closeCurrentFile();
  const int last = lastTickedLine();
  if (last < PlayCursor) {
    closeFullScreen();
    Button3->setEnabled(false);
    Button2Click(Sender);
    beepThreeTimes();
    program_.ui.setCursor(ScreenCursor::Normal);
    PlayCursor = last + 1;
    return;
  }
  clearPosition();
  emptyFileLabels();
  Button4->setFocus();
  setVideoSizeChoicesEnabled(false);
  Button17->setEnabled(false);
  PlayCursor = ListBox1->currentRow() + 1;
  PlayBusy = false;
  Timer1->setEnabled(true);
  Timer1Timer(Sender);
  NextBusy = false;
  Button3->setEnabled(true);
  program_.ui.setCursor(ScreenCursor::Normal);
}

void TForm4::Button5Click(QObject* Sender) {
  if (ListBox1->currentRow() < 0) {
    program_.ui.messageDlg(MessageKind::Information, "No File Hi-Lighted");
    PreviousBusy = false;
    return;
  }
  if (!AnyTicked()) {
    Button2Click(Sender);
    return;
  }
  program_.ui.setCursor(ScreenCursor::HourGlass);
  Timer1->setEnabled(false);
  if (PreviousBusy) return;
  closeCurrentFile();
  TrackBar1->setValue(0);
  PreviousBusy = true;
  PlayCursor = ListBox1->currentRow() - 1;
  for (; PlayCursor >= 0; --PlayCursor) {
    if (!Lines.ticked(PlayCursor)) continue;
    Gauge1->setValue(0);
    emptyFileLabels();
    setVideoSizeChoicesEnabled(false);
    Button17->setEnabled(false);
    Button5->setFocus();
    ListBox1->setCurrentRow(PlayCursor);
    PlayBusy = false;
    Timer1->setEnabled(true);
    Timer1Timer(Sender);
    PreviousBusy = false;
    Button3->setEnabled(true);
    return;
  }
  // Nothing ticked above: the list's top is as far as Previous goes.
  PlayCursor = 0;
  closeFullScreen();
  Button3->setEnabled(false);
  Button2Click(Sender);
  beepThreeTimes();
  ListBox1->setCurrentRow(0);
  PreviousBusy = false;
}

// Next and Previous leave the file that plays, whichever device has it.
void TForm4::closeCurrentFile() {
  if (MpegActive) {
    MpegActive = false;
    if (MpegOpen()) CloseMpeg();
  }
  if (mciPlaying()) {
    MediaPlayer1->stop();
    MediaPlayer1->close();
  }
  if (ListBox1->count() > 0) Button18->setEnabled(false);
}

int TForm4::lastTickedLine() const {
  int last = -1;
  for (int index = 0; index < ListBox1->count(); ++index)
    if (Lines.ticked(index)) last = index;
  return last;
}

// Running off either end of the list.
void TForm4::beepThreeTimes() {
  for (int beep = 0; beep < 3; ++beep) program_.ui.beep();
}
