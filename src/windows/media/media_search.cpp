// Filling the media list from a search of the chosen drive.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>

#include "platform/timer.h"
#include "platform/ui_services.h"
#include "services/files/drive_search.h"
#include "widgets/drive_box.h"
#include "windows/media/media_player_window.h"

void TForm4::Button6Click() {
  if (SearchRunning) return;
  letGoOfPlayback();
  startSearch();
  const QString drive = DriveComboBox1->currentText();
  if (!enterDriveRoot(drive)) return;
  try {
    Search->SearchCurrentDirectory();
  } catch (const SearchEnded&) {
    return;  // the search has reset the window and told the user
  }
  LastIndex = ListBox1->count() - 1;
  SelectedCount = ListBox1->count();
  if (ListBox1->count() > 0) {
    ListBox1->repaint();
    stopSearchAnimation();
    program_.ui.setCursor(ScreenCursor::HourGlass);
    tickAll();
    program_.ui.setCursor(ScreenCursor::Normal);
    Button18->setEnabled(true);
    showSearchResults();
  } else {
    reportNoFilesFound(drive);
  }
  SearchRunning = false;
}

void TForm4::startSearch() {
  TrackBar1->setValue(0);
  TrackBar1->setEnabled(false);
  SearchRunning = true;
  PlayListInUse = false;
  DetailsFileName.clear();
  CurrentTitle.clear();
  CurrentFileName.clear();
  SearchAbortRequested = false;
  Button18->setEnabled(false);
  showListIfFilled();
  ListBox1->setFocus();  // so Escape reaches the list
  NamesFromList = true;

  setTransportEnabled(false);
  Button2->setEnabled(false);
  setSearchControlsEnabled(false);
  repaint();
  Gauge1->setValue(0);
  emptyAllLabels();
  Timer1->setEnabled(false);
  MediaPlayer1->close();
  Animate1->show();
  LastIndex = 0;
  ListBox1->clear();
  SavePlayList2->setEnabled(false);  // until the search has lines to save
  setExtent(30);
}

// The search starts from the drive's root, which is its mount point here.
bool TForm4::enterDriveRoot(const QString& drive) {
  LastIndex = 0;
  SelectedCount = 0;
  if (!drive.isEmpty() && QDir::setCurrent(drive)) return true;
  stopSearchAnimation();
  program_.ui.messageDlg(MessageKind::Error, "There is a problem reading drive " + drive);
  DetailsFileName.clear();
  setTransportEnabled(false);
  Label7->clear();
  setSearchControlsEnabled(true);
  SearchRunning = false;
  return false;
}

void TForm4::reportNoFilesFound(const QString& drive) {
  stopSearchAnimation();
  const QString key = typeKey();
  program_.ui.messageDlg(MessageKind::Information,
                         key == "ALL"
                             ? "No AVI, MPEG, MPG, MID or WAV files found on drive " + drive
                             : "No " + key + " files found on drive " + drive);
  resetControlsWithoutList();
}

void TForm4::showSearchResults() {
  showListIfFilled();
  setExtent(3000);
  ListBox1->setCurrentRow(0);
  Sequence.rewind();
  DetailsFileName = ListBox1->item(0)->text();
  setSearchControlsEnabled(true);
  showSelectedCount(ListBox1->count());
  setTransportEnabled(true);
  Button2->setEnabled(true);
  Button18->setEnabled(true);
  setLookControlsEnabled(true);
  stopSearchAnimation();
}
