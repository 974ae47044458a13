// Clicks, ticks and keys on the graphic list, and the lines that count it.
#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "platform/ui_services.h"
#include "widgets/list_ticks.h"
#include "windows/viewer/graphics_viewer_window.h"

void TForm9::ShowStatusLine(int selected) {
  Label1->setText("Selected: " + QString::number(selected < 0 ? SelectedCount : selected) +
                  " - Current: " + QString::number(ListBox1->currentRow() + 1) + " of " +
                  QString::number(Pictures->LastIndex + 1));
}

// A list in view has lines, so the placeholder goes: an activation while a
// picture was shown may have put it up over the list.
void TForm9::showListControls(bool shown) {
  for (QWidget* control : std::initializer_list<QWidget*>{ListBox1, Button17, Panel2, Panel3})
    control->setVisible(shown);
  if (shown) Panel4->hide();
  SaveDisplayList1->setEnabled(shown);
  Button19->setEnabled(shown);
}

void TForm9::makeHighlightedLineCurrent() {
  const int row = ListBox1->currentRow();
  if (row < 0) return;
  Pictures->CurrentIndex = row;
  Pictures->CurrentFileName = ListBox1->item(row)->text();
}

void TForm9::ListBox1Click() {
  makeHighlightedLineCurrent();
  ShowStatusLine();
}

void TForm9::ListBox1TickChanged(QListWidgetItem* item) {
  SelectedCount += item->checkState() == Qt::Checked ? 1 : -1;
  ShowStatusLine();
  Label3->setText(QString::number(SelectedCount));
}

void TForm9::ListBox1DblClick() {
  const int row = ListBox1->currentRow();
  if (row >= 0) setLineTicked(*ListBox1, row, true);
  if (tickedLineCount(*ListBox1) == 0) {
    program_.ui.messageDlg(MessageKind::Information, "No File(s) Selected");
    Button12Click();
    return;
  }
  makeHighlightedLineCurrent();
  SelectedCount = tickedLineCount(*ListBox1);
  ShowStatusLine();
  Label3->setText(QString::number(SelectedCount));
  Button2Click(ListBox1);
}

void TForm9::ListBox1KeyPress(int key) {
  if (key == Qt::Key_Return || key == Qt::Key_Enter) {
    if (ListBox1->currentRow() < 0)
      program_.ui.messageDlg(MessageKind::Information, "No File Hi-Lighted");
    else
      ListBox1DblClick();
  } else if (key == Qt::Key_Escape) {
    SearchAbortRequested = true;
  }
}
