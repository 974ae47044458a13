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
  if (Playback.RandomMode) {
    Button4->setEnabled(false);
    TrackBar1->setEnabled(false);
    Button1Click(Button4);
    return;
  }
  if (introScanEnds()) {
    Button2Click(Button4);
    return;
  }
  if (Playback.SelectMode) {
    prepareNextInSelectedOrder();
    Button1Click(Button4);
    return;
  }
  Playback.IgnoreNotify = false;
  if (Playback.CurrentTrack > TrackBoxCount) Playback.CurrentTrack = 0;
  Timer1->setEnabled(false);
  Timer2->setEnabled(false);
  MediaPlayer1->stop();
  if (!AnyTrackTicked()) {
    Button2Click(Button4);
    return;
  }
  clearTime();
  Playback.CurrentTrack = std::min(Playback.CurrentTrack + 1, ListedTrackCount);
  if (const int n = PlayOrder::tickedFrom(tickedTracks(), Playback.CurrentTrack, +1)) {
    playTickedFrom(n, +1, Button4);
    return;
  }
  Button5Click();
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
  if (Playback.CurrentTrack > TrackBoxCount) Playback.CurrentTrack = TrackBoxCount;
  Timer1->setEnabled(false);
  Timer2->setEnabled(false);
  MediaPlayer1->stop();
  if (!AnyTrackTicked()) {
    Button2Click(Button5);
    return;
  }
  clearTime();
  --Playback.CurrentTrack;
  if (const int n = PlayOrder::tickedFrom(tickedTracks(), Playback.CurrentTrack, -1)) {
    playTickedFrom(n, -1, Button5);
    return;
  }
  Playback.CurrentTrack = 0;
  Button4Click();
}

// Intro scan stops after the last ticked track, or the last of the selected
// order; random play goes on for ever.
bool TForm1::introScanEnds() const {
  if (!IntroMode || Playback.RandomMode) return false;
  return Playback.SelectMode ? Playback.Order.selectedUsedUp()
                             : PlayOrder::introScanEndsAfter(tickedTracks(), Playback.CurrentTrack);
}

// Next and Previous land on a ticked track: it plays from its start.
void TForm1::playTickedFrom(int track, int step, QObject* Sender) {
  playTrackAlone(track);
  TrackBar1->setEnabled(true);
  Button8->setEnabled(false);
  Button3->setEnabled(true);
  (step > 0 ? Playback.NextPressed : Playback.PreviousPressed) = true;
  if (isVisible()) static_cast<QWidget*>(Sender)->setFocus();
  Timer1->setEnabled(true);
}

void TForm1::Timer1Timer() {
  const DeviceMode mode = MediaPlayer1->mode();
  if (mode == DeviceMode::NotReady) {
    // The disc could no longer be read: it was taken out of the drive.
    Button8Click();
    return;
  }
  const bool stopped = mode == DeviceMode::Stopped;
  if (stopped && (Playback.RandomMode || Playback.SelectMode)) {
    Button1Click(Timer1);
    return;
  }
  if (stopped) {
    TrackBar1->setValue(0);
    Gauge1->setValue(0);
    program_.ui.setApplicationTitle("Track ended");
    if (highestTickedTrack() <= Playback.CurrentTrack) {
      Playback.SelectionEnded = true;
      Button2Click(Timer1);
    } else {
      MediaPlayer1Notify();
    }
    return;
  }

  const std::uint32_t position = MediaPlayer1->position();
  if (IntroMode && unpackTmsf(position).seconds >= 11) {
    Button4Click();
    return;
  }
  const bool playCheck = program_.state.settings.PlayCheck;
  if (playCheck && position == Playback.LastPolledPosition && mode != DeviceMode::Playing) {
    Button8Click();
    return;
  }
  if (playCheck) Playback.LastPolledPosition = position;
  showPosition(position);
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
  if (Playback.NextPressed || Playback.PreviousPressed || Playback.SelectionEnded) {
    Playback.NextPressed = Playback.PreviousPressed = Playback.SelectionEnded = false;
    return;
  }
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
  if (focusWidget() != TrackBar1) return;
  Playback.IgnoreNotify = true;
  for (QWidget* control : {Button1, Button3, Button4, Button5, Button9, Button10, Button13})
    control->setEnabled(false);
  Timer1->setEnabled(false);
  Timer2->setEnabled(false);
  MediaPlayer1->stop();
  const int p = TrackBar1->value();
  if (p < 0) return;
  Playback.SeekSeconds = p % 60;
  Playback.SeekMinutes = p / 60;
  Label3->setText(QString::number(Playback.SeekMinutes) + ":");
  Label4->setText(twoDigits(Playback.SeekSeconds));
  Gauge1->setValue(p);
  Button14->setEnabled(true);
}

void TForm1::Button14Click() {
  MediaPlayer1->seek(
      packTmsf({Playback.CurrentTrack, Playback.SeekMinutes, Playback.SeekSeconds, 0}));
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
