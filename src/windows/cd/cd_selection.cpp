// Which tracks play and in which order: the tick commands, random and
// order-of-selection modes, and the choice of the track to play next.
#include <QAction>
#include <QCheckBox>
#include <QPushButton>
#include <QSignalBlocker>
#include <utility>

#include "platform/timer.h"
#include "platform/ui_services.h"
#include "program/program_state.h"
#include "windows/cd/cd_player_window.h"

namespace {

const char* const kNoTracksSelected = "There are no Tracks selected!";
const char* const kOnlyOneTrack = "No point, only one track!";
const char* const kNormalCaption = "Corvela Pro - CD Player";

}  // namespace

void TForm1::Button9Click() {
  for (int n = 1; n <= ListedTrackCount; ++n) TrackBoxes[n]->setChecked(true);
  if (isVisible()) Button1->setFocus();
}

void TForm1::Button10Click() {
  if (!CheckBox3->isChecked() && !Playback.RandomMode) Button2Click(Button10);
  for (int n = 1; n <= TrackBoxCount; ++n)
    if (TrackBoxes[n]) TrackBoxes[n]->setChecked(false);
}

void TForm1::setTrackBoxes(bool ticked, bool enabled) {
  for (int n = 1; n <= TrackBoxCount; ++n) {
    if (!TrackBoxes[n]) continue;
    TrackBoxes[n]->setChecked(ticked);
    TrackBoxes[n]->setEnabled(enabled);
  }
}

PlayOrder::Ticks TForm1::tickedTracks() const {
  PlayOrder::Ticks ticks{};
  for (int n = 1; n <= TrackBoxCount; ++n) ticks[n] = TrackBoxes[n] && TrackBoxes[n]->isChecked();
  return ticks;
}

int TForm1::lowestTickedTrack() const { return PlayOrder::tickedFrom(tickedTracks(), 1, +1); }

int TForm1::highestTickedTrack() const {
  return PlayOrder::tickedFrom(tickedTracks(), TrackBoxCount, -1);
}

bool TForm1::AnyTrackTicked() {
  Timer1->setEnabled(false);
  if (lowestTickedTrack() != 0) return true;
  program_.ui.messageDlg(MessageKind::Information, kNoTracksSelected);
  return false;
}

void TForm1::ComputeTickedTotal() {
  std::uint32_t total = 0;
  for (int n = 1; n <= ListedTrackCount; ++n)
    if (TrackBoxes[n] && TrackBoxes[n]->isChecked()) total += TrackSeconds[n];
  SelectedSeconds = static_cast<int>(total % 60);
  SelectedMinutes = static_cast<int>(total / 60);
}

void TForm1::Button11Click() {
  ComputeTickedTotal();
  if (SelectedMinutes + SelectedSeconds != 0)
    program_.ui.messageDlg(
        MessageKind::Information,
        "Total play time of selected Track(s): " + QString::number(SelectedMinutes) +
            " minute(s)  " + QString::number(SelectedSeconds) + " second(s)");
  else
    program_.ui.messageDlg(MessageKind::Information, "There are no Tracks selected below Track 31");
}

void TForm1::ShuffleTracks(int trackCount) { Playback.Order.shuffle(trackCount); }

bool TForm1::refusedOnOneTrack(QCheckBox* modeBox) {
  if (DiscTrackCount != 1) return false;
  program_.ui.messageDlg(MessageKind::Warning, kOnlyOneTrack);
  // Unticking must not run the box's own untick action: nothing else changes.
  const QSignalBlocker quiet(modeBox);
  modeBox->setChecked(false);
  return true;
}

void TForm1::CheckBox2Click() {
  if (!CheckBox2->isChecked()) {
    DisplayRandomTracks1->setEnabled(false);
    program_.state.settings.Random = false;
    Playback.RandomMode = false;
    for (int n = 1; n <= ListedTrackCount; ++n) TrackBoxes[n]->setEnabled(true);
    Button10Click();
    Button11->setEnabled(true);
    return;
  }
  if (refusedOnOneTrack(CheckBox2)) {
    Playback.RandomMode = false;  // Load turns it on ahead of the box
    return;
  }
  DisplayRandomTracks1->setEnabled(true);
  ShuffleTracks(DiscTrackCount);
  program_.state.settings.Random = true;
  program_.state.RandomUsedThisRun = true;

  Button10Click();
  setTrackBoxes(false, false);
  Playback.SelectMode = false;
  CheckBox4->setChecked(false);
  PlayaSingleCDTrack1->setEnabled(false);

  Playback.RandomMode = true;
  if (MediaPlayer1->mode() == DeviceMode::Playing) MediaPlayer1->stop();
  setWindowTitle("Corvela Pro - CD Player - RANDOM Play Mode");
  Button11->setEnabled(false);
  Button1Click(CheckBox2);
}

void TForm1::CheckBox2MouseDown(Qt::MouseButton button) {
  if (button == Qt::RightButton && CheckBox2->isChecked()) DisplayRandomTracks1Click();
}

void TForm1::DisplayRandomTracks1Click() {
  program_.ui.messageDlg(MessageKind::Information, Playback.Order.randomText());
}

void TForm1::CheckBox4Click() {
  if (!CheckBox4->isChecked()) {
    setWindowTitle(kNormalCaption);
    DisplayAsSelectedTracks1->setEnabled(false);
    Playback.SelectMode = false;
    Playback.Order.clearSelected();
    PlayaSingleCDTrack1->setEnabled(true);
    for (QWidget* control : {Button9, Button10, Button13}) control->setEnabled(false);
    Button10Click();
    return;
  }
  if (refusedOnOneTrack(CheckBox4)) return;
  CheckBox2->setChecked(false);
  Playback.RandomMode = false;

  DisplayAsSelectedTracks1->setEnabled(true);
  if (MediaPlayer1->mode() == DeviceMode::Playing) MediaPlayer1->stop();
  PlayaSingleCDTrack1->setEnabled(false);
  for (QWidget* control : {Button9, Button10, Button13}) control->setEnabled(false);

  Playback.Order.clearSelected();
  for (int n = 1; n <= TrackBoxCount; ++n) TrackBoxes[n]->setChecked(false);
  for (int n = ListedTrackCount + 1; n <= TrackBoxCount; ++n) TrackBoxes[n]->setEnabled(false);

  Playback.SelectMode = true;
  setWindowTitle("Corvela Pro - CD Player - Play In Order Selected Mode");
}

void TForm1::TrackBoxClick(int track) {
  if (!Playback.SelectMode) return;
  const bool playing = MediaPlayer1->mode() == DeviceMode::Playing;
  if (TrackBoxes[track]->isChecked())
    Playback.Order.tick(track, playing);
  else
    Playback.Order.untick(track, playing);
}

void TForm1::showSelectedOrder(bool ticked) {
  program_.ui.messageDlg(MessageKind::Information, ticked && Playback.Order.selectedCount() > 0
                                                       ? Playback.Order.selectedText()
                                                       : QString(kNoTracksSelected));
}

void TForm1::CheckBox4MouseDown(Qt::MouseButton button) {
  if (button == Qt::RightButton && CheckBox4->isChecked()) showSelectedOrder(true);
}

void TForm1::DisplayAsSelectedTracks1Click() { showSelectedOrder(CheckBox4->isChecked()); }

bool TForm1::ChooseTrackToPlay(QObject* Sender) {
  // A single track request is for the Play it was typed for: random and
  // selected order choose for themselves and drop it, or it would take over
  // a later Play in track order.
  const int request = std::exchange(Playback.SingleTrackRequest, 0);
  if (Playback.SelectMode) return chooseInSelectedOrder(Sender);
  if (Playback.RandomMode) {
    chooseInRandomOrder(Sender);
    return true;
  }
  return chooseInTrackOrder(request);
}

bool TForm1::chooseInSelectedOrder(QObject* Sender) {
  Timer1->setEnabled(false);
  if (!AnyTrackTicked()) {
    Button2Click(Sender);
    return false;
  }
  Playback.CurrentTrack =
      Sender == Button1 ? Playback.Order.firstSelected() : Playback.Order.nextSelected();
  if (Playback.CurrentTrack != 0) return true;
  Button2Click(Sender);
  return false;
}

void TForm1::chooseInRandomOrder(QObject* Sender) {
  Timer1->setEnabled(false);
  if (MediaPlayer1->mode() == DeviceMode::Playing) MediaPlayer1->stop();
  for (QWidget* control : {Button1, Button8, Button9, Button10, Button13})
    control->setEnabled(false);
  Playback.CurrentTrack = Playback.Order.nextRandom(DiscTrackCount, Sender == Button5);
  setTrackBoxes(false, false);
  if (Playback.CurrentTrack <= TrackBoxCount && TrackBoxes[Playback.CurrentTrack]) {
    TrackBoxes[Playback.CurrentTrack]->setEnabled(true);
    TrackBoxes[Playback.CurrentTrack]->setChecked(true);
  }
}

bool TForm1::chooseInTrackOrder(int request) {
  Timer1->setEnabled(false);
  Timer2->setEnabled(false);
  if (request == 0 && !AnyTrackTicked()) {
    Button2Click(Button1);
    return false;
  }
  clearTime();
  hidePositionControls();
  if (request < 1) {
    Playback.CurrentTrack = lowestTickedTrack();
    return true;
  }
  if (request <= TrackBoxCount) TrackBoxes[request]->setChecked(true);
  Playback.CurrentTrack = request;
  return true;
}
