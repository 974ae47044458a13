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

#include "platform/timer.h"
#include "platform/ui_services.h"
#include "program/forms.h"
#include "services/mpeg/mpeg_player.h"
#include "windows/media/full_screen_video_window.h"
#include "windows/media/media_kind.h"
#include "windows/media/media_player_window.h"

void TForm4::Button1Click(QObject* /*Sender*/) {
  if (ListBox1->currentRow() < 0) ListBox1->setCurrentRow(0);
  if (!AnyTicked()) {
    Button2Click(Button1);
    return;
  }
  Button16->setEnabled(false);
  if (Sequence.mpegOpen() || Sequence.mciPlaying()) dropWhatPlayed();
  if (Sequence.mpegOpen()) CloseMpeg();
  if (Sequence.mciPlaying()) MediaPlayer1->stop();
  // A file that ended with Auto Play off leaves its device open and stopped,
  // which the step takes for "stop here": the user pressing Play wants playback.
  if (MediaPlayer1->mode() == DeviceMode::Stopped) MediaPlayer1->close();
  MediaPlayer1->setTimeFormat(TimeFormat::Milliseconds);
  setVideoSizeChoicesEnabled(false);
  Button17->setEnabled(false);
  if (ListBox1->count() > 0) Button18->setEnabled(false);

  if (!Sequence.startFrom(ListBox1->currentRow())) {
    Button2Click(Button1);
    tellNoMoreSelections();
    return;
  }
  setLookControlsEnabled(true);
  Sequence.arm();
  Button4->setFocus();
  ListBox1->setCurrentRow(Sequence.PlayCursor());
  SelectedCount = 0;
  for (int index = 0; index < ListBox1->count(); ++index) SelectedCount += Lines.ticked(index);
  showSelectedCount(SelectedCount);
  for (QWidget* control :
       std::initializer_list<QWidget*>{Button1, Button4, Button5, CheckBox1, Button3})
    control->setEnabled(true);
  Timer1->setEnabled(true);
  program_.ui.setCursor(ScreenCursor::Normal);
  Button16->setEnabled(true);
}

void TForm4::Button2Click(QObject* Sender) {
  // Stopped playback shows the list: a full-screen window left up would keep
  // the screen black and the taskbar hidden. Its close runs Stop itself.
  // (At creation, the full-screen window does not exist yet.)
  const TForm16* fullScreen = program_.forms.Form16.get();
  if (fullScreen && Sender != fullScreen) closeFullScreen();
  TrackBar1->setEnabled(false);
  Timer1->setEnabled(false);
  // A paused MPEG file is closed too: left open, its clock would run on.
  if (Sequence.stop()) {
    if (Sequence.mpegOpen()) CloseMpeg();
  } else if (Sequence.mciHeld()) {
    // A paused file too: its video window would stay, and nothing could resume it.
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
  if (isVisible() && Button1->isEnabled()) {
    if (!PlaySequence::leavesWindow(originOf(Sender))) ListBox1Click(Sender);
    Button1->setFocus();
  }
  program_.ui.setCursor(ScreenCursor::Normal);
}

void TForm4::Button3Click() {
  switch (Sequence.pause()) {
    case PauseAction::ResumeMpeg:
      MPlayer1->Pause(false);
      break;
    case PauseAction::PauseMpeg:
      if (!pauseMpeg()) return;
      break;
    case PauseAction::ToggleMci:
      MediaPlayer1->pause();
      break;
    case PauseAction::Nothing:
      return;
  }
  Button3->setFocus();
  const int playing = Sequence.playingLine();
  const bool video = playing >= 0 && isVideo(Lines.line(playing).text);
  const bool held = !(video && !Button1->isEnabled()) && Sequence.paused();
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
  if (!Sequence.next(ListBox1->currentRow())) {
    const int pastLastTicked = Sequence.PlayCursor();
    closeFullScreen();
    Button3->setEnabled(false);
    Button2Click(Sender);
    beepThreeTimes();
    program_.ui.setCursor(ScreenCursor::Normal);
    // Stop went back to the highlight; the cursor stays past the last ticked line.
    Sequence.followHighlight(pastLastTicked);
    return;
  }
  clearPosition();
  emptyFileLabels();
  Button4->setFocus();
  setVideoSizeChoicesEnabled(false);
  Button17->setEnabled(false);
  Sequence.arm();
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
  if (const std::optional<int> line = Sequence.previous(ListBox1->currentRow())) {
    Gauge1->setValue(0);
    emptyFileLabels();
    setVideoSizeChoicesEnabled(false);
    Button17->setEnabled(false);
    Button5->setFocus();
    ListBox1->setCurrentRow(*line);
    Sequence.arm();
    Timer1->setEnabled(true);
    Timer1Timer(Sender);
    PreviousBusy = false;
    Button3->setEnabled(true);
    return;
  }
  // Nothing ticked above: the list's top is as far as Previous goes.
  closeFullScreen();
  Button3->setEnabled(false);
  Button2Click(Sender);
  beepThreeTimes();
  ListBox1->setCurrentRow(0);
  Sequence.rewind();
  PreviousBusy = false;
}

// The file may end between the look at its mode and the pause: then it is not
// pausable, and its end is on its way.
bool TForm4::pauseMpeg() {
  try {
    MPlayer1->Pause(true);
    return true;
  } catch (const TMPEGError& error) {
    if (error.Code != TMPEGError::kIncorrectMode) throw;
    Sequence.pauseRefused();
    return false;
  }
}

// A file left for another one takes its clock, slider and video along: the
// first step starts afresh.
void TForm4::dropWhatPlayed() {
  clearPlayback();
  showListAgain();
}

// Next and Previous leave the file that plays, whichever device has it.
void TForm4::closeCurrentFile() {
  if ((Sequence.MpegActive() && Sequence.mpegOpen()) || Sequence.mciPlaying()) dropWhatPlayed();
  if (Sequence.MpegActive() && Sequence.mpegOpen()) CloseMpeg();
  if (Sequence.mciPlaying()) {
    MediaPlayer1->stop();
    MediaPlayer1->close();
  }
  if (ListBox1->count() > 0) Button18->setEnabled(false);
}

// Running off either end of the list.
void TForm4::beepThreeTimes() {
  for (int beep = 0; beep < 3; ++beep) program_.ui.beep();
}
