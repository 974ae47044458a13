// The playback step: once a second it shows where an MCI file stands, notices
// its end and starts the next ticked line, by the MCI device or the MPEG component.
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <cstdlib>

#include "platform/timer.h"
#include "platform/ui_services.h"
#include "program/forms.h"
#include "services/media_device/output_volume.h"
#include "services/mpeg/mpeg_player.h"
#include "windows/media/full_screen_video_window.h"
#include "windows/media/media_kind.h"
#include "windows/media/media_player_window.h"

void TForm4::connectPlayback() {
  MPlayer1->setSeekable(true);
  MPlayer1->setFromStream(false);
  MPlayer1->setPlayerPriority(TPlayPriority::Normal);
  MPlayer1->setTimerFreq(500);
  MPlayer1->setUseTimer(true);
  MPlayer1->setAutoPlay(false);
  MPlayer1->setOutputDevice(TOutputDevice::wavemapper);
  MPlayer1->setWaveDeviceNum(0);
  MPlayer1->setStartPos(0);
  MPlayer1->setEndPos(0);
  // Its sound reaches the server by the library's own output, not the devices'.
  MPlayer1->setVolume(outputVolume());
  followOutputVolume(MPlayer1, [this](double volume) { MPlayer1->setVolume(volume); });
  MPlayer1->OnPosUpdate = [this](int Pos, int Len) {
    guard([=, this] { MPlayer1PosUpdate(Pos, Len); });
  };
  MPlayer1->OnPlayEnd = [this](QObject* Sender) { guard([=, this] { MPlayer1PlayEnd(Sender); }); };
  MPlayer1->OnPlayError = [this](const TMPEGError& error) {
    guard([&error, this] { MPlayer1PlayError(error); });
  };
  MediaPlayer1->onNotify([this](NotifyResult) { guard([this] { MediaPlayer1Notify(); }); });
  Timer1->onTimer([this] { guard([this] { Timer1Timer(Timer1); }); });
  handle(Button3, &QPushButton::clicked, &TForm4::Button3Click);
  handle(Button4, &QPushButton::clicked, [this] { Button4Click(Button4); });
  handle(Button5, &QPushButton::clicked, [this] { Button5Click(Button5); });
  handle(CheckBox1, &QCheckBox::toggled, &TForm4::CheckBox1Click);
  handle(TrackBar1, &QSlider::valueChanged, &TForm4::TrackBar1Change);
  handle(TrackBar1, &QSlider::sliderPressed, [this] { TrackBar1Held(true); });
  handle(TrackBar1, &QSlider::sliderReleased, [this] { TrackBar1Held(false); });
  // Leaving the slider hands the focus on, so that no later move of it is taken for the user's.
  handle(qApp, &QApplication::focusChanged, [this](QWidget* old, QWidget* now) {
    if (old == TrackBar1 && now && now->window() == this && now != Button4) Button4->setFocus();
  });
}

Origin TForm4::originOf(QObject* Sender) const {
  if (Sender == Timer1) return Origin::Timer;
  if (Sender == Button1) return Origin::Play;
  if (Sender == Button4) return Origin::Next;
  if (Sender == Button5) return Origin::Previous;
  if (Sender == ListBox1) return Origin::List;
  const bool leaving = Sender == DisplayGraphicFiles1 || Sender == Button16 || Sender == Button7 ||
                       Sender == ReturntoCDPlayer1 || Sender == VisitCorvelaProWebSite1;
  return leaving ? Origin::Leaving : Origin::Other;
}

void TForm4::Timer1Timer(QObject* Sender) {
  const TForm16& fullScreen = *program_.forms.Form16;
  if (fullScreen.isVisible() && fullScreen.Tag == 0) return;
  if (!Sequence.MpegActive() && !stepMci(Sender)) return;
  if (!Sequence.PlayBusy()) startMpegFile(Sender);
}

// The step while no MPEG file plays: the MCI file's position or end, and the
// next ticked line. True when that line is for the MPEG component.
bool TForm4::stepMci(QObject* Sender) {
  if (focusWidget() == TrackBar1) Button4->setFocus();
  const bool stopped = MediaPlayer1->mode() == DeviceMode::Stopped;
  if (stopped)
    clearPlayback();
  else if (MediaPlayer1->isOpen())
    showMciPosition(Sender);
  if (Sequence.PlayBusy()) return false;
  if (Sequence.pastEnd()) {
    endOfList();
    return false;
  }
  if (stopped && PlaySequence::stopsAfterEndedFile(CheckBox1->isChecked(), originOf(Sender))) {
    closeFullScreen();
    Button2Click(Sender);
    return false;
  }
  if (!findTickedLine(Sender)) return false;
  const bool mpeg = mediaKindOf(Lines.line(Sequence.PlayCursor()).text) == MediaKind::MpegAudio;
  Sequence.take(mpeg);
  if (!mpeg) startMciFile(Sender);
  return mpeg;
}

// From the cursor down, never wrapping round; the sequence stops quietly at the end.
bool TForm4::findTickedLine(QObject* Sender) {
  program_.ui.setCursor(ScreenCursor::HourGlass);
  if (Sequence.findTickedLine()) return true;
  Button2Click(Sender);
  Sequence.arm();
  program_.ui.setCursor(ScreenCursor::Normal);
  return false;
}

// A file has ended, or the last one stays stopped: nothing plays, nothing is shown.
void TForm4::clearPlayback() {
  Sequence.arm();
  emptyPlaybackLabels();
  CheckBox1->setEnabled(true);
  CurrentTitle.clear();
  CurrentFileName.clear();
  clearPosition();
  TrackBar1->setEnabled(false);
}

// Nothing more plays and nothing is said: the window as it stands idle.
void TForm4::endOfList() {
  Timer1->setEnabled(false);
  Sequence.arm();
  // Stopped at its end, or closed after a file that failed: no video plays any more.
  if (!Sequence.mciHeld()) closeFullScreen();
  restoreIdleControls();
}

void TForm4::startMciFile(QObject* Sender) {
  takeLine();
  DetailsFileName = Lines.line(Sequence.PlayCursor()).text;
  const QString fileName = Sequence.fileAtCursor();
  const bool video = isVideo(DetailsFileName);
  try {
    openMciFile(fileName, video);
  } catch (const MediaDeviceError& error) {
    playFailed(Sender, fileName, error.message());
    return;
  }
  if (!video) {
    leaveFullScreen();
    showListAgain();
  }
  MediaPlayer1->setTimeFormat(TimeFormat::Milliseconds);
  const int lengthMs = static_cast<int>(MediaPlayer1->trackLength(1));
  CurrentLength = lengthMs / 1000;
  if (CurrentLength > 0) showPlayTime(CurrentLength / 60, CurrentLength % 60);
  setPositionRanges(lengthMs, CurrentLength);
  fileStarted(fileName);
}

// Opened, its video placed, playing with its end to be reported.
void TForm4::openMciFile(const QString& fileName, bool video) {
  MediaPlayer1->close();
  MediaPlayer1->open(fileName);
  showFileSize(fileName);
  setToolsAndHelpEnabled(false);
  TrackBar1->setEnabled(true);
  if (video) {
    hideListForVideo();
    placeVideo();
  }
  if (Sequence.mciPlaying()) return;
  MediaPlayer1->setNotify(true);
  MediaPlayer1->play();
}

void TForm4::startMpegFile(QObject* Sender) {
  takeLine();
  leaveFullScreen();
  showListAgain();
  if (MPlayer1->PlayerMode() == TMPEGPlayer::ModeStopped) {
    // The file before has stopped: its display goes before the next one starts.
    clearPlayback();
    restoreIdleControls();
  }
  const QString fileName = Sequence.fileAtCursor();
  try {
    openMpegFile(fileName);
  } catch (const TMPEGError& error) {
    playFailed(Sender, fileName, error.Message);
    return;
  }
  const int length = std::abs(MPlayer1->Length());
  if (length > 0) showPlayTime(length / 60000, length / 1000 % 60);
  Button3->setEnabled(true);
  showListAgain();
  TrackBar1->setEnabled(true);
  Gauge1->setEnabled(true);
  setPositionRanges(length, length);
  fileStarted(fileName);
}

void TForm4::openMpegFile(const QString& fileName) {
  MPlayer1->setStreamName(fileName);
  if (Sequence.mpegOpen()) CloseMpeg();
  MPlayer1->Open();
  showFileSize(fileName);
  setToolsAndHelpEnabled(false);
  if (Sequence.mpegPlaying()) return;
  Sequence.starting();
  MPlayer1->setEndPos(0);
  MPlayer1->Play();
}

// The line at the cursor becomes the one playing.
void TForm4::takeLine() {
  ListBox1->setCurrentRow(Sequence.PlayCursor());
  Sequence.starting();
  program_.ui.setCursor(ScreenCursor::Normal);
}

void TForm4::setPositionRanges(int sliderMaximum, int gaugeMaximum) {
  TrackBar1->setRange(0, sliderMaximum);
  TrackBar1->setValue(0);
  Gauge1->setRange(0, gaugeMaximum);
  Gauge1->setValue(0);
}

// The started file is shown and the cursor moves past its line.
void TForm4::fileStarted(const QString& fileName) {
  showNowPlaying(fileName);
  Sequence.started(fileName);
  program_.ui.setCursor(ScreenCursor::Normal);
}
