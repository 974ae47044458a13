// Playing the disc: the transport commands, the display timer that follows
// the position and moves on at each track end, the slider and the intro scan.
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

#include "platform/platform_services.h"
#include "platform/timer.h"
#include "platform/ui_services.h"
#include "platform/window_finder.h"
#include "program/program_state.h"
#include "services/media_device/disc_toc.h"
#include "windows/cd/cd_player_window.h"

namespace {

QString twoDigits(int value) { return QString::asprintf("%.2d", value); }

}  // namespace

void TForm1::warnAndCloseRivalCdPlayerIfRunning() {
  WindowFinder& windows = program_.platform.windowFinder;
  if (!windows.exists("SJE_CDPLAYERCLASS")) return;
  program_.ui.messageDlg(
      MessageKind::Warning,
      "The Windows CD Player is running.\r\rCorvela Pro will now close it down.");
  windows.askToClose("SJE_CDPLAYERCLASS");
}

QString TForm1::trackLine(int track) const {
  const QString head = "Track " + QString::number(track) + "  - ";
  if (track <= TrackBoxCount && TrackBoxes[track]) {
    const QString caption = TrackBoxes[track]->text();
    return head + caption.mid(caption.lastIndexOf(' '));
  }
  const std::uint32_t msf = TrackLengthMsf[track];
  return head + QString::number(msf & 0xFF) + ":" + twoDigits((msf >> 8) & 0xFF);
}

void TForm1::clearTime() {
  Label3->clear();
  Label4->clear();
}

void TForm1::hidePositionControls() {
  TrackBar1->hide();
  Button14->hide();
  Gauge1->hide();
}

void TForm1::showPositionControls() {
  Button12->hide();
  TrackBar1->show();
  Button14->show();
  Gauge1->show();
}

void TForm1::setPositionRanges(int track) {
  const int seconds = static_cast<int>(TrackSeconds[track]);
  TrackBar1->setRange(0, seconds);
  Gauge1->setRange(0, seconds);
  TrackBar1->setValue(0);
  Gauge1->setValue(0);
}

void TForm1::playTrackAlone(int track) { playTrackFrom(static_cast<std::uint32_t>(track)); }

// Plays the track of the position on its own: up to the start of the next
// one, the last track to the end of the disc.
void TForm1::playTrackFrom(std::uint32_t position) {
  const int track = unpackTmsf(position).track;
  Playback.CurrentTrack = track;
  Playback.PausedHere = false;
  MediaPlayer1->setNotify(false);
  MediaPlayer1->setStart(position);
  if (track != MediaPlayer1->trackCount())
    MediaPlayer1->setEnd(static_cast<std::uint32_t>(track + 1));
  setPositionRanges(track);
  MediaPlayer1->play();
  showPositionControls();
  Label2->setText(trackLine(track));
}

void TForm1::Button1Click(QObject* Sender) {
  warnAndCloseRivalCdPlayerIfRunning();
  program_.state.DiscEjected = false;
  Playback.IgnoreNotify = false;
  if (!ChooseTrackToPlay(Sender)) return;
  try {
    MediaPlayer1->close();
    MediaPlayer1->open(DeviceName);
    playTrackAlone(Playback.CurrentTrack);
  } catch (const MediaDeviceError& error) {
    program_.ui.messageDlg(MessageKind::Error, QString::fromUtf8(error.what()));
    Button2Click(Sender);
    return;
  }
  Button8->setEnabled(false);
  for (QWidget* control : {Button3, Button4, Button5}) control->setEnabled(true);
  TrackBar1->setEnabled(true);
  if (isVisible()) (Sender == Button5 ? Button5 : Button4)->setFocus();
  Timer1->setEnabled(true);
}

void TForm1::playOnFromEarlierRun() {
  Timer2->setEnabled(false);
  playTrackFrom(MediaPlayer1->position());
  Button8->setEnabled(false);
  for (QWidget* control : {Button3, Button4, Button5}) control->setEnabled(true);
  TrackBar1->setEnabled(true);
  program_.ui.setApplicationTitle("CD playing");
  Timer1->setEnabled(true);
}

void TForm1::Button2Click(QObject* Sender) {
  TrackBar1->setEnabled(false);
  if (CheckBox3->isChecked()) {
    MediaPlayer1->stop();
    if (Sender == Button2) CheckBox3->setChecked(false);
    return;
  }
  Timer1->setEnabled(false);
  Playback.CurrentTrack = 0;
  if (!Playback.SelectMode) setWindowTitle("Corvela Pro - CD Player");
  // A paused drive reports stopped, yet it must stop too: a paused drive keeps
  // its disc and would miss a disc swapped afterwards.
  if (MediaPlayer1->mode() == DeviceMode::Playing || Playback.PausedHere) {
    Playback.IgnoreNotify = true;
    Playback.PausedHere = false;
    MediaPlayer1->stop();
  }
  if (!discLoaded()) return;

  Button3->setEnabled(false);
  if (!Playback.RandomMode) {
    Button1->setEnabled(true);
    if (!Playback.SelectMode) {
      for (QWidget* control : {Button9, Button10, Button13}) control->setEnabled(true);
      PlayaSingleCDTrack1->setEnabled(true);
    }
    for (QWidget* control : {Button11, Button4, Button5}) control->setEnabled(true);
  }
  Label2->clear();
  clearTime();
  hidePositionControls();
  Button12->show();
  if (Playback.RandomMode) {
    Playback.RandomMode = false;
    CheckBox2->setChecked(false);
    program_.state.settings.Random = false;
  }
  program_.ui.setApplicationTitle("CD ended");
  Button8->setEnabled(true);
  Button1->setEnabled(true);
  if (isVisible()) Button1->setFocus();
  Playback.Order.restartSelected();
  if (!program_.state.WebVisitInProgress) Timer2->setEnabled(true);
}

void TForm1::Button3Click() {
  Timer1->setEnabled(false);
  Timer2->setEnabled(false);
  if (!Playback.PausedHere && MediaPlayer1->mode() != DeviceMode::Playing) {
    // The track ended just before the press: nothing of ours to pause or
    // resume, and the display timer moves on as it would have.
    Timer1->setEnabled(true);
    return;
  }
  if (Playback.PausedHere) {
    Playback.PausedHere = false;
    MediaPlayer1->setNotify(false);
    MediaPlayer1->setStart(Playback.PausePosition);
    if (MediaPlayer1->trackCount() != Playback.CurrentTrack)
      MediaPlayer1->setEnd(static_cast<std::uint32_t>(Playback.CurrentTrack + 1));
    MediaPlayer1->play();
    for (QWidget* control : {Button4, Button5}) control->setEnabled(true);
    if (!Playback.RandomMode) {
      Button1->setEnabled(true);
      if (!Playback.SelectMode) {
        for (QWidget* control : {Button9, Button13, Button10}) control->setEnabled(true);
        PlayaSingleCDTrack1->setEnabled(true);
      }
      Button11->setEnabled(true);
    }
    TrackBar1->setEnabled(true);
    Timer1->setEnabled(true);
    Playback.IgnoreNotify = false;
  } else {
    Playback.IgnoreNotify = true;
    MediaPlayer1->pause();
    Playback.PausedHere = true;
    Playback.PausePosition = MediaPlayer1->position();
    for (QWidget* control : std::initializer_list<QWidget*>{Button1, Button9, Button13, Button10,
                                                            Button11, Button4, Button5, TrackBar1})
      control->setEnabled(false);
    PlayaSingleCDTrack1->setEnabled(false);
    program_.ui.setApplicationTitle("CD paused");
    Timer2->setEnabled(true);
  }
  if (isVisible()) Button3->setFocus();
}

void TForm1::prepareNextInSelectedOrder() {
  Button4->setEnabled(false);
  TrackBar1->setEnabled(false);
  Playback.Order.prepareNext(MediaPlayer1->mode() == DeviceMode::Playing);
}

void TForm1::Button4Click() {
  warnAndCloseRivalCdPlayerIfRunning();
  moveToNextTrack(Button4);
}

// The Next command after its check for the system's CD player; the intro
// scan runs it from the display timer too.
void TForm1::moveToNextTrack(QObject* Sender) {
  if (Playback.RandomMode) {
    Button4->setEnabled(false);
    TrackBar1->setEnabled(false);
    Button1Click(Sender);
    return;
  }
  if (IntroMode && Playback.introScanEnds(tickedTracks())) {
    Button2Click(Sender);
    return;
  }
  if (Playback.SelectMode) {
    prepareNextInSelectedOrder();
    Button1Click(Sender);
    return;
  }
  Playback.IgnoreNotify = false;
  stepInTrackOrder(+1, Sender);
}

void TForm1::Button5Click() {
  warnAndCloseRivalCdPlayerIfRunning();
  Playback.IgnoreNotify = false;
  if (Playback.RandomMode) {
    Button5->setEnabled(false);
    Button1Click(Button5);
    return;
  }
  if (Playback.SelectMode) {
    Playback.Order.preparePrevious();
    Button5->setEnabled(false);
    Button1Click(Button5);
    return;
  }
  stepInTrackOrder(-1, Button5);
}

// Next and Previous in track order: the disc stops, and the ticked track the
// owner finds that way plays from its start.
void TForm1::stepInTrackOrder(int step, QObject* Sender) {
  Timer1->setEnabled(false);
  Timer2->setEnabled(false);
  MediaPlayer1->stop();
  if (!AnyTrackTicked()) {
    Button2Click(Sender);
    return;
  }
  clearTime();
  if (const auto found = Playback.stepToTicked(tickedTracks(), ListedTrackCount, step))
    playTickedFrom(found->track, found->step);
}

void TForm1::playTickedFrom(int track, int step) {
  playTrackAlone(track);
  TrackBar1->setEnabled(true);
  Button8->setEnabled(false);
  Button3->setEnabled(true);
  (step > 0 ? Playback.NextPressed : Playback.PreviousPressed) = true;
  if (isVisible()) (step > 0 ? Button4 : Button5)->setFocus();
  Timer1->setEnabled(true);
}

void TForm1::Timer1Timer() {
  const DeviceMode mode = MediaPlayer1->mode();
  const bool moving = mode != DeviceMode::NotReady && mode != DeviceMode::Stopped;
  const std::uint32_t position = moving ? MediaPlayer1->position() : 0;
  switch (Playback.displayTick(mode, position, highestTickedTrack(), IntroMode,
                               program_.state.settings.PlayCheck)) {
    case CdPlayback::TickStep::Eject:
      Button8Click();
      return;
    case CdPlayback::TickStep::PlayInOrder:
      Button1Click(Timer1);
      return;
    case CdPlayback::TickStep::SelectionEnded:
      showTrackEnded();
      Button2Click(Timer1);
      return;
    case CdPlayback::TickStep::TrackEnded:
      showTrackEnded();
      MediaPlayer1Notify();
      return;
    case CdPlayback::TickStep::IntroEnded:
      warnAndCloseRivalCdPlayerIfRunning();
      moveToNextTrack(Timer1);
      return;
    case CdPlayback::TickStep::ShowPosition:
      showPosition(position);
      return;
  }
}

void TForm1::showTrackEnded() {
  TrackBar1->setValue(0);
  Gauge1->setValue(0);
  program_.ui.setApplicationTitle("Track ended");
}

void TForm1::showPosition(std::uint32_t position) {
  const Tmsf at = unpackTmsf(position);
  const int played = at.minutes * 60 + at.seconds;
  int shown = played;
  TrackBar1->setValue(played);
  if (RadioButton1->isChecked()) {
    Gauge1->setValue(played);
  } else {
    shown = static_cast<int>(TrackSeconds[Playback.CurrentTrack]) - played;
    Gauge1->setValue(shown);
  }
  Label3->setText(QString::number(shown / 60) + ":");
  Label4->setText(twoDigits(shown % 60));

  if (isMinimized() || CheckBox1->isChecked()) {
    const QString line = trackLine(Playback.CurrentTrack);
    program_.ui.setApplicationTitle("Track:" + QString::number(Playback.CurrentTrack) + "  " +
                                    QString::number(shown / 60) + ":" + twoDigits(shown % 60) +
                                    " of" + line.mid(line.lastIndexOf(' ')));
  } else {
    program_.ui.setApplicationTitle("CD playing");
  }
}

void TForm1::MediaPlayer1Notify() {
  if (Playback.IgnoreNotify) return;
  if (Playback.RandomMode || Playback.SelectMode) {
    Button1Click(nullptr);
    return;
  }
  if (Playback.skipOneAdvance()) return;
  Timer1->setEnabled(false);
  Timer2->setEnabled(false);
  if (Playback.CurrentTrack >= 31) {
    Playback.CurrentTrack = 0;
    return;
  }
  if (const int n = PlayOrder::tickedFrom(tickedTracks(), Playback.CurrentTrack + 1, +1)) {
    playTrackAlone(n);
    Button3->setEnabled(true);
    Timer1->setEnabled(true);
    return;
  }
  stopAfterLastTrack();
}

void TForm1::stopAfterLastTrack() {
  Label2->clear();
  clearTime();
  hidePositionControls();
  Button12->show();
  MediaPlayer1->setNotify(false);
  MediaPlayer1->stop();
  Button3->setEnabled(false);
  Button8->setEnabled(true);
  program_.ui.setApplicationTitle("CD ended");
  Timer2->setEnabled(true);
}

void TForm1::TrackBar1Change() {
  // Only the user's own move of the slider chooses a place.
  if (focusWidget() != TrackBar1) return;
  holdAtChosenPlace(TrackBar1->value());
}

void TForm1::holdAtChosenPlace(int seconds) {
  Playback.IgnoreNotify = true;
  for (QWidget* control : {Button1, Button3, Button4, Button5, Button9, Button10, Button13})
    control->setEnabled(false);
  Timer1->setEnabled(false);
  Timer2->setEnabled(false);
  MediaPlayer1->stop();
  if (seconds < 0) return;
  Playback.chooseSeek(seconds);
  Label3->setText(QString::number(Playback.SeekMinutes) + ":");
  Label4->setText(twoDigits(Playback.SeekSeconds));
  Gauge1->setValue(seconds);
  Button14->setEnabled(true);
}

void TForm1::PlayFrom(int seconds) {
  if (!TrackBar1->isVisible() || !TrackBar1->isEnabled()) return;
  TrackBar1->setValue(seconds);
  holdAtChosenPlace(TrackBar1->value());
  Button14Click();
}

void TForm1::Button14Click() {
  MediaPlayer1->seek(Playback.seekPosition());
  program_.ui.processMessages();
  if (MediaPlayer1->trackCount() > Playback.CurrentTrack)
    MediaPlayer1->setEnd(static_cast<std::uint32_t>(Playback.CurrentTrack + 1));
  MediaPlayer1->setNotify(false);
  MediaPlayer1->play();
  // The disc plays on from the chosen place: a pause before the drag is over.
  Playback.PausedHere = false;
  Playback.IgnoreNotify = false;
  for (QWidget* control : {Button3, Button4, Button5}) control->setEnabled(true);
  Timer1->setEnabled(true);
  if (CheckBox2->isChecked())
    Timer2->setEnabled(true);
  else
    for (QWidget* control : {Button1, Button9, Button10, Button13}) control->setEnabled(true);
  Button14->setEnabled(false);
}

void TForm1::IntroScanClick() {
  IntroMode = !IntroMode;
  IntroScan->setText(IntroMode ? "&Intro On" : "&Intro Off");
}

void TForm1::RadioButton1Click() { program_.state.settings.Time = 1; }

void TForm1::RadioButton2Click() { program_.state.settings.Time = 0; }

void TForm1::CheckBox1Click() { program_.state.settings.Icon = CheckBox1->isChecked() ? 0 : 1; }
