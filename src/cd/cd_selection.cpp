// Which tracks play and in which order: the tick commands, random and
// order-of-selection modes, and the choice of the track to play next.
#include <QAction>
#include <chrono>
#include <QCheckBox>
#include <QPushButton>

#include "app/program_state.h"
#include "app/timer.h"
#include "app/ui_services.h"
#include "cd/cd_player_window.h"

namespace {

const char* const kNoTracksSelected = "There are no Tracks selected!";
const char* const kOnlyOneTrack = "No point, only one track!";
const char* const kNormalCaption = "Corvela Pro - CD Player";

QString joined(const int* first, int count) {
  QStringList numbers;
  for (int i = 0; i < count; ++i) numbers << QString::number(first[i]);
  return numbers.join(", ");
}

}  // namespace

void TForm1::Button9Click() {
  for (int n = 1; n <= ListedTrackCount; ++n) TrackBoxes[n]->setChecked(true);
  if (isVisible()) Button1->setFocus();
}

void TForm1::Button10Click() {
  if (!CheckBox3->isChecked() && !RandomMode) Button2Click(Button10);
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

int TForm1::lowestTickedTrack() const {
  for (int n = 1; n <= TrackBoxCount; ++n)
    if (TrackBoxes[n] && TrackBoxes[n]->isChecked()) return n;
  return 0;
}

int TForm1::highestTickedTrack() const {
  for (int n = TrackBoxCount; n >= 1; --n)
    if (TrackBoxes[n] && TrackBoxes[n]->isChecked()) return n;
  return 0;
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
    program_.ui.messageDlg(MessageKind::Information,
                           "Total play time of selected Track(s): " +
                               QString::number(SelectedMinutes) + " minute(s)  " +
                               QString::number(SelectedSeconds) + " second(s)");
  else
    program_.ui.messageDlg(MessageKind::Information, "There are no Tracks selected below Track 31");
}

// A uniform permutation of 1..trackCount, drawn from a pool.
void TForm1::ShuffleTracks(int trackCount) {
  std::array<int, 101> pool{};
  for (int i = 1; i <= trackCount; ++i) pool[i] = i;
  random_.seed(static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count()));
  int slot = 1;
  for (int m = trackCount; m >= 1; --m) {
    const int j = std::uniform_int_distribution<int>(1, m)(random_);
    RandomOrder[slot++] = pool[j];
    pool[j] = pool[m];
  }
  RandomOrderText =
      "Random Track selection is as follows:-\r\r" + joined(&RandomOrder[1], trackCount);
}

void TForm1::CheckBox2Click() {
  if (!CheckBox2->isChecked()) {
    DisplayRandomTracks1->setEnabled(false);
    program_.state.settings.Random = false;
    RandomMode = false;
    for (int n = 1; n <= ListedTrackCount; ++n) TrackBoxes[n]->setEnabled(true);
    Button10Click();
    Button11->setEnabled(true);
    return;
  }
  if (DiscTrackCount == 1) {
    program_.ui.messageDlg(MessageKind::Warning, kOnlyOneTrack);
    CheckBox2->setChecked(false);
    return;
  }
  DisplayRandomTracks1->setEnabled(true);
  RandomIndex = 1;
  ShuffleTracks(DiscTrackCount);
  program_.state.settings.Random = true;
  program_.state.RandomUsedThisRun = true;

  Button10Click();
  setTrackBoxes(false, false);
  SelectMode = false;
  CheckBox4->setChecked(false);
  PlayaSingleCDTrack1->setEnabled(false);

  RandomMode = true;
  if (MediaPlayer1->mode() == DeviceMode::Playing) MediaPlayer1->stop();
  setWindowTitle("Corvela Pro - CD Player - RANDOM Play Mode");
  Button11->setEnabled(false);
  Button1Click(CheckBox2);
}

void TForm1::CheckBox2MouseDown(Qt::MouseButton button) {
  if (button == Qt::RightButton && CheckBox2->isChecked()) DisplayRandomTracks1Click();
}

void TForm1::DisplayRandomTracks1Click() {
  program_.ui.messageDlg(MessageKind::Information, RandomOrderText);
}

void TForm1::CheckBox4Click() {
  if (!CheckBox4->isChecked()) {
    setWindowTitle(kNormalCaption);
    DisplayAsSelectedTracks1->setEnabled(false);
    SelectMode = false;
    SelectedOrder.fill(0);
    OrderCount = 0;
    PlayaSingleCDTrack1->setEnabled(true);
    for (QWidget* control : {Button9, Button10, Button13}) control->setEnabled(false);
    Button10Click();
    return;
  }
  if (DiscTrackCount == 1) {
    program_.ui.messageDlg(MessageKind::Warning, kOnlyOneTrack);
    CheckBox4->setChecked(false);
    return;
  }
  CheckBox2->setChecked(false);
  RandomMode = false;

  DisplayAsSelectedTracks1->setEnabled(true);
  if (MediaPlayer1->mode() == DeviceMode::Playing) MediaPlayer1->stop();
  PlayaSingleCDTrack1->setEnabled(false);
  for (QWidget* control : {Button9, Button10, Button13}) control->setEnabled(false);

  SelectedOrder.fill(0);
  for (int n = 1; n <= TrackBoxCount; ++n) TrackBoxes[n]->setChecked(false);
  for (int n = ListedTrackCount + 1; n <= TrackBoxCount; ++n) TrackBoxes[n]->setEnabled(false);

  SelectMode = true;
  setWindowTitle("Corvela Pro - CD Player - Play In Order Selected Mode");
}

void TForm1::TrackBoxClick(int track) {
  if (!SelectMode) return;
  if (MediaPlayer1->mode() != DeviceMode::Playing) OrderIndex = 1;
  if (TrackBoxes[track]->isChecked()) {
    // A full order ignores further ticks.
    if (OrderCount < TrackBoxCount) SelectedOrder[++OrderCount] = track;
    rebuildSelectedOrderText();
    return;
  }
  int j = 1;
  while (j <= TrackBoxCount && SelectedOrder[j] != track) ++j;
  if (j > TrackBoxCount) return;
  if (j == ListedTrackCount) {
    SelectedOrder[j] = 0;
    --OrderCount;
    --OrderIndex;
  } else {
    std::move(SelectedOrder.begin() + j + 1, SelectedOrder.end(), SelectedOrder.begin() + j);
    SelectedOrder[TrackBoxCount] = 0;
    --OrderCount;
    FirstOrderEntryRemoved = j == 1;
    OrderIndex = j == 1 ? 1 : OrderIndex - 1;
  }
  rebuildSelectedOrderText();
}

void TForm1::rebuildSelectedOrderText() {
  SelectedOrderText = "You have chosen Tracks in the following order:-\r\r" +
                      joined(&SelectedOrder[1], OrderCount);
}

void TForm1::showSelectedOrder(bool ticked) {
  program_.ui.messageDlg(MessageKind::Information,
                         ticked && OrderCount > 0 ? SelectedOrderText : QString(kNoTracksSelected));
}

void TForm1::CheckBox4MouseDown(Qt::MouseButton button) {
  if (button == Qt::RightButton && CheckBox4->isChecked()) showSelectedOrder(true);
}

void TForm1::DisplayAsSelectedTracks1Click() { showSelectedOrder(CheckBox4->isChecked()); }

bool TForm1::ChooseTrackToPlay(QObject* Sender) {
  if (SelectMode) return chooseInSelectedOrder(Sender);
  if (RandomMode) {
    chooseInRandomOrder(Sender);
    return true;
  }
  return chooseInTrackOrder();
}

bool TForm1::chooseInSelectedOrder(QObject* Sender) {
  Timer1->setEnabled(false);
  if (!AnyTrackTicked()) {
    Button2Click(Sender);
    return false;
  }
  if (Sender == Button1) {
    CurrentTrack = SelectedOrder[1];
    OrderIndex = 2;
    return true;
  }
  if (OrderIndex > OrderCount || OrderIndex < 1) {
    Button2Click(Sender);
    return false;
  }
  CurrentTrack = SelectedOrder[OrderIndex++];
  return true;
}

void TForm1::chooseInRandomOrder(QObject* Sender) {
  Timer1->setEnabled(false);
  if (MediaPlayer1->mode() == DeviceMode::Playing) MediaPlayer1->stop();
  for (QWidget* control : {Button1, Button8, Button9, Button10, Button13}) control->setEnabled(false);
  if (Sender == Button5) RandomIndex = std::max(RandomIndex - 2, 1);
  CurrentTrack = RandomOrder[RandomIndex++];
  if (RandomIndex > MediaPlayer1->trackCount() + 1) {
    // The permutation is used up (the slot just read lies past it): draw a new
    // one, again while it starts with the value just read.
    const int justRead = CurrentTrack;
    RandomIndex = 1;
    do ShuffleTracks(DiscTrackCount);
    while (RandomOrder[1] == justRead && DiscTrackCount > 1);
    CurrentTrack = RandomOrder[1];
    RandomIndex = 2;
  }
  setTrackBoxes(false, false);
  if (CurrentTrack <= TrackBoxCount && TrackBoxes[CurrentTrack]) {
    TrackBoxes[CurrentTrack]->setEnabled(true);
    TrackBoxes[CurrentTrack]->setChecked(true);
  }
}

bool TForm1::chooseInTrackOrder() {
  Timer1->setEnabled(false);
  Timer2->setEnabled(false);
  if (SingleTrackRequest == 0 && !AnyTrackTicked()) {
    Button2Click(Button1);
    return false;
  }
  clearTime();
  hidePositionControls();
  if (SingleTrackRequest < 1) {
    CurrentTrack = lowestTickedTrack();
    return true;
  }
  if (SingleTrackRequest <= TrackBoxCount) TrackBoxes[SingleTrackRequest]->setChecked(true);
  CurrentTrack = SingleTrackRequest;
  SingleTrackRequest = 0;
  return true;
}
