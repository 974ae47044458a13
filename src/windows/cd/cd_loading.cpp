// Choosing the drive, loading a disc into the track table and ejecting it.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>

#include "platform/platform_services.h"
#include "platform/process_control.h"
#include "platform/timer.h"
#include "platform/ui_services.h"
#include "program/program_state.h"
#include "program/settings_store.h"
#include "services/media_device/disc_toc.h"
#include "services/media_device/media_device_factory.h"
#include "windows/cd/cd_drive_checks.h"
#include "windows/cd/cd_player_window.h"

namespace {

int msfMinutes(std::uint32_t msf) { return msf & 0xFF; }
int msfSeconds(std::uint32_t msf) { return (msf >> 8) & 0xFF; }

// "7 -   4:05", "12 - 13:27".
QString trackCaption(int track, std::uint32_t msf) {
  return QString::number(track) + (track < 10 ? " -   " : " - ") +
         QString::number(msfMinutes(msf)) + ":" +
         QString("%1").arg(msfSeconds(msf), 2, 10, QChar('0'));
}

}  // namespace

void TForm1::ComboBox1Change() {
  DeviceName = cdDriveName(ComboBox1->currentText());
  program_.state.settings.CDDrive = ComboBox1->currentIndex();
  program_.store.SaveSettings();
}

bool TForm1::discLoaded() const { return Image1->isHidden() && !Label1->text().isEmpty(); }

void TForm1::LoadCD1Click() { Button7Click(); }

void TForm1::Button7Click() {
  ProgramState& state = program_.state;
  UiServices& ui = program_.ui;
  warnAndCloseRivalCdPlayerIfRunning();
  ui.setCursor(ScreenCursor::HourGlass);
  Image1->hide();
  Timer1->setEnabled(false);
  state.WebVisitInProgress = false;

  if (!openDriveOrReportHeld(*MediaPlayer1, DeviceName, ui)) program_.platform.process.halt(0);
  if (!discInDriveOrReportEmpty(*MediaPlayer1, program_.devices.discProblem(DeviceName), ui)) {
    CheckBox3->setEnabled(false);
    Image1->show();
    return;
  }
  if (program_.devices.volumeLabel(DeviceName) != "Audio CD") {
    ui.setCursor(ScreenCursor::Normal);
    if (ui.askYesNo("Not an Audio CD", "This is not an Audio CD!\r\rEject this CD?") == Answer::Yes)
      MediaPlayer1->eject();
    MediaPlayer1->close();
    CheckBox3->setEnabled(false);
    Image1->show();
    return;
  }

  ComboBox1->hide();
  Label8->show();
  repaint();
  createTrackBoxes();
  MediaPlayer1->open(DeviceName);
  readTrackLengths();
  showTrackTitles();
  ListedTrackCount = std::min(ListedTrackCount, TrackBoxCount);
  for (int n = ListedTrackCount + 1; n <= TrackBoxCount; ++n) TrackBoxes[n]->setEnabled(false);
  Label8->hide();
  for (int n = 1; n <= TrackBoxCount; ++n) TrackBoxes[n]->show();

  for (QWidget* control :
       std::initializer_list<QWidget*>{Button1, CheckBox2, CheckBox4, Button11, Button2, Button4,
                                       Button5, BitBtn1, Button8, Button9, Button13, Button10})
    control->setEnabled(true);
  PlayaSingleCDTrack1->setEnabled(true);
  Button7->setEnabled(false);
  LoadCD1->setEnabled(false);
  Button9Click();

  ComputeTickedTotal();
  Label1->setText("Total play time: " + QString::number(SelectedMinutes) + " mins  " +
                  QString::number(SelectedSeconds) + " secs" +
                  " - Tracks: " + QString::number(DiscTrackCount));
  state.DiscLength = MediaPlayer1->length();
  // A disc an earlier run left playing is shown playing and plays on here.
  if (MediaPlayer1->mode() == DeviceMode::Playing)
    playOnFromEarlierRun();
  else
    Button2Click(Button7);

  Label1->show();
  for (QLabel* heading : {Label5, Label6, Label7}) heading->show();
  state.ReturnedToCdPlayer = false;
  state.DiscLoaded = true;
  state.DiscEjected = false;
  PlayaSingleCDTrack1->setEnabled(true);
  ui.setCursor(ScreenCursor::Normal);
  repaint();
  CheckBox3->setEnabled(true);
  CheckBox3->setChecked(false);

  state.FirstTrackLength = MediaPlayer1->trackLength(1);
  ComputeDiscFingerprint();
  if (state.settings.Random) {
    Playback.RandomMode = true;
    CheckBox2->setChecked(true);
  }
}

// Thirty boxes in three columns of ten, each starting as its track number.
void TForm1::createTrackBoxes() {
  for (int n = 1; n <= TrackBoxCount; ++n) {
    auto* box = new QCheckBox(QString::number(n), client());
    box->setObjectName(QString("TrackBox%1").arg(n));
    box->setAccessibleDescription(box->objectName());
    const int column = (n - 1) / 10;
    box->setGeometry(20 + 110 * column, 23 * n + 5 - 230 * column, 87, 20);
    box->hide();
    handle(box, &QCheckBox::toggled, [this, n] { TrackBoxClick(n); });
    TrackBoxes[n] = box;
  }
}

CdText TForm1::TrackText(int track) const {
  const DiscToc disc = program_.devices.disc(DeviceName);
  return track >= 1 && track <= disc.trackCount() ? disc.tracks[track - 1].text : CdText{};
}

// The titles a disc carries (CD-Text, or a cue sheet's TITLE and PERFORMER
// lines) as the tooltips of the track boxes; the captions stay as they are.
void TForm1::showTrackTitles() {
  for (int n = 1; n <= ListedTrackCount; ++n) {
    const CdText text = TrackText(n);
    if (!text.title.isEmpty())
      TrackBoxes[n]->setToolTip(text.performer.isEmpty() ? text.title
                                                         : text.title + " - " + text.performer);
  }
}

void TForm1::readTrackLengths() {
  for (int n = 1; n <= TrackBoxCount; ++n) {
    TrackLengthMsf[n] = MediaPlayer1->trackLength(n);
    TrackSeconds[n] = msfMinutes(TrackLengthMsf[n]) * 60 + msfSeconds(TrackLengthMsf[n]);
    if (TrackLengthMsf[n] != 0) TrackBoxes[n]->setText(trackCaption(n, TrackLengthMsf[n]));
  }
  DiscTrackCount = ListedTrackCount = MediaPlayer1->trackCount();
  Button13->setText("&1 to " + QString::number(DiscTrackCount));
  if (DiscTrackCount <= TrackBoxCount) return;

  program_.ui.messageDlg(MessageKind::Information,
                         "There are " + QString::number(DiscTrackCount) + " Tracks on this CD." +
                             "\r\r" + "Use the Single button to access Tracks above 30" + "\r" +
                             "(or use Random mode)." + "\r\r" + "." +
                             "Press OK to read the rest of the CD information.");
  repaint();
  for (int n = 31; n <= DiscTrackCount && n < static_cast<int>(TrackLengthMsf.size()); ++n) {
    TrackLengthMsf[n] = MediaPlayer1->trackLength(n);
    TrackSeconds[n] = msfMinutes(TrackLengthMsf[n]) * 60 + msfSeconds(TrackLengthMsf[n]);
  }
}

void TForm1::ComputeDiscFingerprint() {
  ProgramState& state = program_.state;
  state.DiscFingerprint = 0;
  if (MediaPlayer1->trackLength(1) != state.FirstTrackLength) return;
  for (int n = 1; n <= MediaPlayer1->trackCount(); ++n)
    state.DiscFingerprint += MediaPlayer1->trackPosition(n);
}

void TForm1::Button8Click() {
  ProgramState& state = program_.state;
  Timer1->setEnabled(false);
  Timer2->setEnabled(false);
  state.DiscEjected = true;
  state.DiscLoaded = false;

  CheckBox3->setChecked(false);
  CheckBox2->setChecked(false);
  CheckBox4->setChecked(false);
  Playback.RandomMode = false;
  CheckBox2->setEnabled(false);
  CheckBox4->setEnabled(false);

  for (QLabel* heading : {Label5, Label6, Label7}) heading->hide();
  destroyTrackBoxes();
  Button12->show();
  hidePositionControls();
  for (QLabel* line : {Label1, Label2, Label3, Label4}) line->clear();

  // The standard player leaves the device closed until the next status tick.
  if (!MediaPlayer1->isOpen()) MediaPlayer1->open(DeviceName);
  MediaPlayer1->eject();
  Playback.PausedHere = false;

  PlayaSingleCDTrack1->setEnabled(false);
  for (QWidget* control :
       std::initializer_list<QWidget*>{Button8, Button1, Button11, Button2, Button3, Button4,
                                       TrackBar1, Button5, Button9, Button10})
    control->setEnabled(false);
  Button13->setText("Single");
  Button13->setEnabled(false);
  Button7->setEnabled(true);
  LoadCD1->setEnabled(true);

  program_.ui.setApplicationTitle("CD ejected");
  CheckBox3->setEnabled(false);
  Image1->show();
  if (isVisible()) Button7->setFocus();
  ComboBox1->show();
}

void TForm1::destroyTrackBoxes() {
  for (int n = 1; n <= TrackBoxCount; ++n) {
    delete TrackBoxes[n];
    TrackBoxes[n] = nullptr;
  }
}
