// The media player window's creation, activation, ways out and close.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

#include "platform/platform_services.h"
#include "platform/taskbar.h"
#include "platform/timer.h"
#include "platform/ui_services.h"
#include "program/clipboard_question.h"
#include "program/forms.h"
#include "program/program_state.h"
#include "program/settings_store.h"
#include "services/mpeg/mpeg_player.h"
#include "windows/media/full_screen_video_window.h"
#include "windows/media/media_kind.h"
#include "windows/media/media_player_window.h"

void TForm4::FormCreate() {
  PlayListMode = false;
  PlayListInUse = false;
  program_.state.ClipboardDataPresent = false;
  CurrentTitle.clear();
  CurrentFileName.clear();
  Animate1->hide();
  Button2Click(this);
  ListBox1->hide();
  SavePlayList2->setEnabled(false);
  setLookControlsEnabled(false);
  applyToolTips(program_.state.settings.Tips != 0);
  LoadMPEGLibrary();
}

void TForm4::FormActivate() {
  LoadMPEGLibrary();
  Sequence.activated();
  if (Sequence.mciPlaying() || ListBox1->count() > 0) return;
  Button2->setEnabled(false);
  if (program_.state.ModalDialogClosed) {
    program_.state.ModalDialogClosed = false;
    return;
  }
  resetForFirstActivation();
}

// The window as it opens without a list: nothing to play, the stored choices shown.
void TForm4::resetForFirstActivation() {
  const Settings& settings = program_.state.settings;
  setLookControlsEnabled(false);
  if (!ListBox1->isHidden()) Button18->setEnabled(false);
  Panel1->hide();
  Timer1->setEnabled(false);
  setTransportEnabled(false);
  Sequence.rewind();
  (settings.Time != 0 ? RadioGroup1Elapsed : RadioGroup1Remaining)->setChecked(true);
  fillTypeSelector();
  ApplyLookAtActivation();
  applyVideoSizeFromSettings();
  setExtent(30);
}

void TForm4::fillTypeSelector() {
  if (ComboBox1->count() == 0) ComboBox1->addItems({"AVI", "MID", "MPEG", "MPG", "WAV", "ALL"});
  if (ComboBox1->currentIndex() < 0) ComboBox1->setCurrentText("AVI");
}

void TForm4::applyVideoSizeFromSettings() {
  if (program_.state.settings.AVI != 0)
    RadioButton1->setChecked(true);
  else
    RadioButton2->setChecked(true);
}

void TForm4::RadioButton1Click() {
  MediaPlayer1->setDisplay(nullptr);
  program_.state.settings.AVI = 1;
}

void TForm4::RadioButton2Click() {
  MediaPlayer1->setDisplay(Panel1);
  MediaPlayer1->setDisplayRect(QRect(0, 0, Panel1->width(), Panel1->height()));
  program_.state.settings.AVI = 0;
}

void TForm4::RadioGroup1Click() {
  program_.state.settings.Time = RadioGroup1Elapsed->isChecked() ? 1 : 0;
}

void TForm4::WindUpPlaybackForGraphics(QObject* Sender) {
  program_.ui.setCursor(ScreenCursor::HourGlass);
  if (Sequence.sounding() &&
      program_.ui.askYesNo("Corvela Pro",
                           "Do you wish to leave your selection(s) playing?\r\r(If "
                           "\"Yes\", all Video selections will be de-selected)") == Answer::Yes) {
    leaveSoundPlaying(Sender);
    return;
  }
  setExtent(30);
  setLookControlsEnabled(false);
  Sequence.rewind();
  emptyAllLabels();
  clearPosition();
  program_.state.ReturnedToCdPlayer = true;
  Timer1->setEnabled(false);
  Button2Click(Sender);
  if (Sequence.mciPlaying()) {
    MediaPlayer1->stop();
    MediaPlayer1->close();
  }
  setToolsAndHelpEnabled(true);
}

// Sound goes on behind the graphics viewer; video cannot, so its lines lose
// their ticks and a video that plays gives way to the next sound.
void TForm4::leaveSoundPlaying(QObject* Sender) {
  if (!CheckBox1->isChecked()) CheckBox1->setChecked(true);
  for (int index = 0; index < ListBox1->count(); ++index) {
    if (!isVideo(Lines.line(index).text)) continue;
    if (Lines.ticked(index)) --SelectedCount;
    setTicked(index, false);
  }
  showSelectedCount(SelectedCount);
  if (isVideo(Sequence.fileHeld())) Button4Click(Sender);
}

// Playback stops whatever shows: the list, or a video in its place.
void TForm4::WindUpPlaybackForCdPlayer(QObject* Sender) {
  if (!ListBox1->isHidden() || Sequence.mciHeld() || Sequence.mpegOpen()) {
    Button2Click(Sender);
    if (Sequence.mpegOpen()) CloseMpeg();
    if (Sequence.mciHeld()) {
      MediaPlayer1->stop();
      MediaPlayer1->close();
    }
    setExtent(30);
    setLookControlsEnabled(false);
    Sequence.rewind();
    emptyAllLabels();
    CurrentTitle.clear();
    CurrentFileName.clear();
    clearPosition();
  }
  program_.state.ReturnedToCdPlayer = true;
  Timer1->setEnabled(false);
}

void TForm4::BitBtn1Click() {
  Timer1->setEnabled(false);
  close();
}

void TForm4::Exit1Click() { BitBtn1Click(); }

// Every main window asks the CD player's question about a picture left on the clipboard.
bool TForm4::FormCloseQuery() {
  AskToEmptyClipboard(program_.state, program_.ui);
  return true;
}

void TForm4::FormClose() {
  UnloadMPEGLibrary();
  TForm16* fullScreen = program_.forms.Form16.get();
  if (fullScreen && fullScreen->isVisible()) fullScreen->close();
  Panel1->hide();
  program_.platform.taskbar.show();
  Timer1->setEnabled(false);
  program_.windows.endRun();
}

void TForm4::CloseMpeg() { MPlayer1->Close(); }

// Without its MPEG library the media player cannot work: the program ends.
void TForm4::LoadMPEGLibrary() {
  if (MPlayer1->LibraryLoaded()) return;
  try {
    MPlayer1->LoadMPEGLibrary();
  } catch (const TMPEGError&) {
    program_.ui.showMessage(
        "Cannot initialise the MPEG library!\r\rPlease ensure that the file: libmpegdll.so resides "
        "in the\rsame directory as Corvela Pro (see your installation).\r\rCorvela Pro will now "
        "terminate.");
    program_.ui.terminate();
  }
}

void TForm4::UnloadMPEGLibrary() { MPlayer1->UnloadMPEGLibrary(); }
