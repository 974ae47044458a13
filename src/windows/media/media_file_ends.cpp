// How files end: a file that cannot be opened, the end of an MCI play, the
// end of an MPEG file, and Auto Play ticked or unticked.
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>

#include "platform/failure_log.h"
#include "platform/timer.h"
#include "platform/ui_services.h"
#include "services/mpeg/mpeg_player.h"
#include "windows/media/media_kind.h"
#include "windows/media/media_player_window.h"

// A file its device cannot open: the user goes on with the next ticked line or stops.
void TForm4::playFailed(QObject* Sender, const QString& fileName, const QString& reason) {
  Timer1->setEnabled(false);
  logFailure(fileName + ": " + reason);
  const Answer answer = program_.ui.askYesNo(fileName,
                                             "Sorry, unable to play the above file\r(or problem "
                                             "reading the drive).\r\r\"Yes\" will attept "
                                             "to continue.\r\rDo you wish to continue?");
  if (answer == Answer::No) {
    Button2Click(Sender);
    CheckBox1->setChecked(false);
    program_.ui.setCursor(ScreenCursor::Normal);
    Sequence.followHighlight(ListBox1->currentRow());
    return;
  }
  skipFailedFile();
}

// The step goes on with the ticked line after the one that failed.
void TForm4::skipFailedFile() {
  if (Sequence.MpegActive()) {
    if (Sequence.mpegOpen()) CloseMpeg();
  } else {
    MediaPlayer1->close();
  }
  if (Sequence.skipFailed()) setMenusEnabled(true);
  // The video window goes with the file; a video that follows brings its own.
  leaveFullScreen();
  showListAgain();
  // Nothing plays until the next step: no clock, slider or labels of the file before.
  clearPlayback();
  program_.ui.setCursor(ScreenCursor::Normal);
  Timer1->setEnabled(true);
}

void TForm4::CheckBox1Click() {
  if (!CheckBox1->isChecked()) {
    Button2Click(CheckBox1);
    return;
  }
  if (Sequence.PlayCursor() == 0) ListBox1->setCurrentRow(0);
  if (!Sequence.sounding()) Button1Click(CheckBox1);
}

// The end of a notified MCI play; the step's own check of the mode comes to the same.
void TForm4::MediaPlayer1Notify() {
  if (MediaPlayer1->mode() != DeviceMode::Stopped) return;
  // A video at its own size has a window of the device's own, which goes with the file.
  if (RadioButton1->isChecked() && isVideo(DetailsFileName)) MediaPlayer1->close();
  if (Sequence.mciFileEnded(CheckBox1->isChecked()) == AfterFile::Stop) {
    // A full-screen video must not leave its black window behind.
    closeFullScreen();
    Button2Click(nullptr);  // on the device's behalf, which is no control
    return;
  }
  // All of the ended file's display goes: an own-size video's device is closed
  // above, so no step will find it stopped and clear the rest.
  clearPlayback();
  setVideoSizeChoicesEnabled(true);
  Button17->setEnabled(true);
}

void TForm4::MPlayer1PlayEnd(QObject* Sender) {
  Timer1->setEnabled(false);
  CloseMpeg();
  clearPlayback();
  restoreIdleControls();
  switch (Sequence.mpegFileEnded(CheckBox1->isChecked())) {
    case AfterFile::Stop:
      Button2Click(Sender);
      break;
    case AfterFile::QuietEnd:
      break;
    case AfterFile::NoMoreSelections:
      Button2Click(Sender);
      tellNoMoreSelections();
      break;
    case AfterFile::NextLine:
      Timer1->setEnabled(true);
      break;
  }
}

// The MPEG file failed while it played: the same prompt as a file that cannot
// be opened, and the sequence goes on or stops from its line.
void TForm4::MPlayer1PlayError(const TMPEGError& error) {
  Sequence.playingFailed();
  playFailed(MPlayer1, Sequence.fileAtCursor(), error.Message);
}

void TForm4::tellNoMoreSelections() {
  program_.ui.messageDlg(MessageKind::Information,
                         "There are no more selections.\r\rPlease select (tick) and highlight a "
                         "file from\rwhere you wish Auto Play to begin.");
}
