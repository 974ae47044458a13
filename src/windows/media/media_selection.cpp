// Filling the media list from the open dialog, files handed in or a play list, the play-list
// mode switch, saving a play list and the shared drive selector.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>

#include "platform/timer.h"
#include "platform/ui_services.h"
#include "services/files/list_files.h"
#include "windows/media/media_player_window.h"

namespace {

// The open dialog's filter as the program has always offered it: description,
// "|", patterns separated by ";", and so on.
const char* const kMediaFilter =
    "All media (*.AVI, *.MID, *.WAV, *.MP2, *.MP3 *.MPG)|*.AVI;*.MID;*.WAV;*.MP2;*.MP3;*.MPG|"
    "AVI files (*.AVI)|*.AVI|WAV files (*.WAV)|*.WAV|MID files (*.MID)|*.MID|"
    "MPEG2 files (*.MP2)|*.MP2|MPEG3 files (*.MP3)|*.MP3|MPEG Video files (*.MPG)|*.MPG|"
    "MPEG Video files (*.DAT)|*.DAT";

const char* const kSelectSoundAndVideo = "Select S&ound && Video";
const char* const kSelectPlayList = "Select Pla&y List";

// The same choices for the toolkit's dialog. Names on this system tell letter
// case apart, so each pattern is offered in upper and lower case.
QString toolkitFilter(const QString& classicFilter) {
  const QStringList parts = classicFilter.split('|');
  QStringList filters;
  for (qsizetype at = 0; at + 1 < parts.size(); at += 2) {
    QStringList patterns;
    for (const QString& pattern : parts[at + 1].split(';'))
      patterns << pattern.toUpper() << pattern.toLower();
    filters << parts[at] + " (" + patterns.join(' ') + ")";
  }
  return filters.join(";;");
}

}  // namespace

void TForm4::Button12Click() {
  clearForFilling();
  if (PlayListMode)
    fillFromPlayList();
  else
    fillFromDialog();
  showFillingResult(PlayListMode);
}

void TForm4::FillWithFiles(const QStringList& files) {
  clearForFilling();
  takeChosenFiles(files);
  showFillingResult(false);
}

void TForm4::clearForFilling() {
  PlayListInUse = false;
  NamesFromList = false;
  clearPosition();
  TrackBar1->setEnabled(false);
  emptyAllLabels();
  Timer1->setEnabled(false);

  LastIndex = 0;
  SelectedCount = 0;
  ListBox1->clear();
  Button18->setEnabled(false);
  setExtent(30);
  ListBox1->repaint();

  letGoOfPlayback();
}

// A new list or a search ends what played, paused or not, and its video: left
// open, it would come back over the new list with no way to resume it.
void TForm4::letGoOfPlayback() {
  Sequence.letGo();
  leaveFullScreen();
  Panel1->hide();
}

void TForm4::showFillingResult(bool fromPlayList) {
  program_.ui.setCursor(ScreenCursor::Normal);
  if (LastIndex < 0) {
    program_.ui.messageDlg(MessageKind::Information, "Nothing or too many items selected!");
    resetWithoutList();
    ListBox1->hide();
    return;
  }
  showFilledList(fromPlayList);
}

void TForm4::fillFromPlayList() {
  Sequence.rewind();
  PlayLists->LoadListFile();
  ListBox1->setCurrentRow(Sequence.PlayCursor());
  Button2Click(Button12);
  LastIndex = ListBox1->count() - 1;
  SelectedCount = ListBox1->count();
}

void TForm4::fillFromDialog() {
  takeChosenFiles(program_.ui.openFileNames({.caption = {},
                                             .filter = toolkitFilter(kMediaFilter),
                                             .initialDirectory = {},
                                             .defaultSuffix = {}}));
}

void TForm4::takeChosenFiles(const QStringList& chosen) {
  program_.ui.setCursor(ScreenCursor::HourGlass);
  LastIndex = int(chosen.size()) - 1;
  SelectedCount = int(chosen.size());
  // Each line keeps the name as chosen, which is what plays.
  for (const QString& file : chosen) Lines.append(ListLine::forFile(file), true);
}

// Only a list loaded from a play list has one in use: files dropped or handed
// in while play-list mode is on do not.
void TForm4::showFilledList(bool fromPlayList) {
  PlayListInUse = fromPlayList;
  setTransportEnabled(true);
  Button3->setEnabled(false);
  showSelectedCount(LastIndex + 1);
  if (!NamesFromList) {
    setExtent(30);
    setLookControlsEnabled(true);
  }
  ListBox1->setCurrentRow(0);
  Button2->setEnabled(true);
  Button18->setEnabled(ListBox1->count() > 0);
  Sequence.rewind();
  CurrentFileName = ListBox1->item(0)->text();
  CurrentTitle = CurrentFileName;
  showListIfFilled();
  setExtent(3000);
}

void TForm4::Play1Click() {
  PlayListMode = !PlayListMode;
  Play1->setText(PlayListMode ? "Play &List is ON" : "Play &List is OFF");
  Button12->setText(PlayListMode ? kSelectPlayList : kSelectSoundAndVideo);
}

void TForm4::Button12MouseDown(Qt::MouseButton button) {
  if (button != Qt::RightButton) return;
  PlayListMode = !PlayListMode;
  Play1->setText(PlayListMode ? "Play List is ON" : "Play List is OFF");
  Button12->setText(PlayListMode ? kSelectPlayList : kSelectSoundAndVideo);
}

void TForm4::SavePlayList2Click() {
  Button2Click(SavePlayList2);
  if (SelectedCount == 0) {
    program_.ui.messageDlg(MessageKind::Information, "No point, there are no files selected!");
    return;
  }
  PlayLists->SaveListFile();
}
