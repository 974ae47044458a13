// Status checking: the status timer that keeps the buttons usable while the
// disc is stopped and notices a changed or removed disc, the switch to the
// standard CD player and back, and the single track dialog.
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>

#include "platform/timer.h"
#include "platform/ui_services.h"
#include "program/forms.h"
#include "program/program_state.h"
#include "windows/cd/cd_drive_checks.h"
#include "windows/cd/cd_player_window.h"
#include "windows/cd/single_track_dialog.h"
#include "windows/cd/standard_cd_player_window.h"
#include "windows/cd/status_checking_dialog.h"

void TForm1::Timer2Timer() {
  ProgramState& state = program_.state;
  UiServices& ui = program_.ui;
  if (state.ReturnedToCdPlayer && state.DiscLoaded) {
    state.ReturnedToCdPlayer = false;
    if (state.DiscChanged) {
      Timer2->setEnabled(false);
      ui.messageDlg(MessageKind::Warning,
                    "You appear to have either removed the\rCD or changed it for another one!\r\r"
                    "Please now take the \"Load\" option");
      Button8Click();
      ui.setCursor(ScreenCursor::Normal);
    }
    return;
  }
  if (state.ReturnedToCdPlayer) return;
  // Goes on only with a disc in and not paused (a pause leaves Pa&use focused).
  if ((focusWidget() == Button3) != state.DiscEjected) return;

  ui.setCursor(ScreenCursor::Normal);
  if (!state.DiscEjected && !reopenUnlessDoorOpen()) return;
  // The reopen took over a sound an ended run left on the drive, one that
  // was not yet to be found when the disc was loaded: it plays on here.
  if (discLoaded() && Playback.CurrentTrack == 0 && Playback.sounding()) {
    playOnFromEarlierRun();
    return;
  }
  enableStoppedCommands();
  checkDiscLength();
}

// Opening the drive would close an open door, pulling back a disc the user is
// taking out. False when the drive cannot be reached this time.
bool TForm1::reopenUnlessDoorOpen() {
  if (MediaPlayer1->mode() == DeviceMode::Open) return true;
  try {
    MediaPlayer1->open(DeviceName);
  } catch (const MediaDeviceError&) {
    return false;
  }
  return true;
}

void TForm1::enableStoppedCommands() {
  for (QWidget* control :
       std::initializer_list<QWidget*>{CheckBox3, CheckBox2, CheckBox4, Button2, Button4, Button5})
    control->setEnabled(true);
  if (!Playback.RandomMode && !Button1->isEnabled()) {
    for (QWidget* control : {Button1, Button8, Button9, Button10, Button13})
      control->setEnabled(true);
    PlayaSingleCDTrack1->setEnabled(true);
  }
  if (Playback.SelectMode) Button1->setEnabled(true);
}

// A disc of another length is another disc, or none: back to the state
// without a disc, without a message.
void TForm1::checkDiscLength() {
  ProgramState& state = program_.state;
  if (state.DiscEjected)
    state.DiscLength = MediaPlayer1->length();
  else if (MediaPlayer1->length() != state.DiscLength)
    Button8Click();
}

void TForm1::FormMouseDown(Qt::MouseButton button) {
  if (button != Qt::RightButton) return;
  const int current = program_.state.settings.CurrentStatus;
  QString text;
  if (CheckBox3->isChecked())
    text = "Status Checking Is Off";
  else if (current != 0)
    text = "Status Checking Every " + QString::number(current + 1) + " Seconds";
  else
    text = "Status Checking Normal";
  program_.ui.messageDlg(MessageKind::Information, text);
}

void TForm1::mousePressEvent(QMouseEvent* event) {
  FormMouseDown(event->button());
  Form::mousePressEvent(event);
}

void TForm1::CheckBox3Click() {
  if (CheckBox3->isChecked())
    turnStatusCheckingOff();
  else
    turnStatusCheckingOn();
}

// Hands the drive over to the standard CD player until it closes.
void TForm1::turnStatusCheckingOff() {
  Timer1->setInterval(0);
  Timer2->setInterval(0);

  CheckBox3->setEnabled(false);
  for (QCheckBox* mode : {CheckBox2, CheckBox4}) {
    mode->setChecked(false);
    mode->setEnabled(false);
  }
  PlayaSingleCDTrack1->setEnabled(false);
  Button10Click();

  repaint();
  setWindowTitle("Corvela Pro - CD Player - Status checking OFF");
  Label2->clear();
  clearTime();
  hidePositionControls();
  Button12->show();
  TrackBar1->setValue(0);
  Gauge1->setValue(0);
  program_.ui.setApplicationTitle("Status checking off");

  for (QCheckBox* box : TrackBoxes)
    if (box) box->setEnabled(false);
  stopAndClose(*MediaPlayer1);
  // The standard player takes the drive: a pause of ours ends here, or the
  // Stop on the way back would act on the closed device.
  Playback.PausedHere = false;

  hide();
  program_.ui.showModal(program_.forms.Form8.get());
}

void TForm1::turnStatusCheckingOn() {
  const int status = program_.state.settings.Status;
  setWindowTitle("Corvela Pro - CD Player");
  for (int n = 1; n <= ListedTrackCount; ++n)
    if (TrackBoxes[n]) TrackBoxes[n]->setEnabled(true);
  Timer2->setInterval(status != 0 ? status * 1000 + 1000 : 3000);
  Button2Click(CheckBox3);
  if (status != 0) {
    Timer1->setInterval(status * 1000 + 1000);
    program_.ui.messageDlg(MessageKind::Information, "Corvela Pro Status checking is set at: " +
                                                         QString::number(status + 1) + " seconds.");
  } else {
    Timer1->setInterval(100);
    program_.ui.messageDlg(MessageKind::Information,
                           "Corvela Pro Status checking is set at normal.");
  }
}

void TForm1::SetStatusChecking1Click() { program_.ui.showModal(program_.forms.Form6.get()); }

void TForm1::Button13Click() {
  if (MediaPlayer1->trackCount() == 1) {
    program_.ui.messageDlg(MessageKind::Warning, "No point, only one track!");
    return;
  }
  TForm5& dialog = *program_.forms.Form5;
  dialog.show();
  dialog.raise();
  dialog.activateWindow();
}

void TForm1::PlayaSingleCDTrack1Click() {
  Button2Click(PlayaSingleCDTrack1);
  Button13Click();
}
