// The media list's own clicks, keys and ticks.
#include <QCheckBox>
#include <QListWidget>
#include <QPushButton>

#include "platform/ui_services.h"
#include "windows/media/media_player_window.h"

bool TForm4::AnyTicked() {
  for (int index = 0; index < ListBox1->count(); ++index)
    if (Lines.ticked(index)) return true;
  program_.ui.messageDlg(MessageKind::Information, "No File(s) Selected");
  return false;
}

// A click during playback moves the sequence on to the clicked line when the current file ends.
void TForm4::ListBox1Click(QObject* Sender) {
  if (Sender == Button12) return;
  const int highlighted = ListBox1->currentRow();
  if (highlighted < 0) {
    program_.ui.messageDlg(MessageKind::Information, "No File Hi-Lighted");
    return;
  }
  Sequence.followHighlight(highlighted);
  takeLineNames(highlighted);
}

// The line becomes the one the details and the names speak of.
void TForm4::takeLineNames(int row) {
  DetailsFileName = ListBox1->item(row)->text();
  CurrentTitle = DetailsFileName;
  CurrentFileName = DetailsFileName;
}

// A running search has the transport disabled; its found lines do not play meanwhile.
void TForm4::ListBox1DblClick(QObject* Sender) {
  if (SearchRunning) return;
  const int highlighted = ListBox1->currentRow();
  if (Sender != Button1 && Sender != CheckBox1 && highlighted >= 0) setTicked(highlighted, true);
  bool anyTicked = false;
  for (int index = 0; index < ListBox1->count() && !anyTicked; ++index)
    anyTicked = Lines.ticked(index);
  if (anyTicked)
    Button1Click(ListBox1);
  else
    Button2Click(ListBox1);
}

void TForm4::ListBox1KeyDown(int key) {
  if (key == Qt::Key_Escape) {
    SearchAbortRequested = true;
    return;
  }
  if (key != Qt::Key_Return && key != Qt::Key_Enter) return;
  if (SearchRunning) return;
  if (ListBox1->currentRow() < 0) {
    program_.ui.messageDlg(MessageKind::Information, "No File Hi-Lighted");
    return;
  }
  program_.ui.setCursor(ScreenCursor::HourGlass);
  const DeviceMode mode = MediaPlayer1->mode();
  const bool mciOpen = mode == DeviceMode::Open || mode == DeviceMode::Playing;
  if (Sequence.mpegOpen() || mciOpen) dropWhatPlayed();
  if (Sequence.mpegOpen()) CloseMpeg();
  if (mciOpen) MediaPlayer1->close();
  ListBox1DblClick(ListBox1);
}

void TForm4::ListBox1Changing(int index) {
  SelectedCount += Lines.ticked(index) ? 1 : -1;
  showSelectedCount(SelectedCount);
}
