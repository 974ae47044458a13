// Showing the ticked lines' pictures: Display, Next, Previous, Stop and the
// way back to the list.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>

#include "app/ui_services.h"
#include "files/list_widget_lines.h"
#include "lists/colour_box.h"
#include "lists/list_ticks.h"
#include "platform/platform_services.h"
#include "platform/taskbar.h"
#include "viewer/graphics_viewer_window.h"
#include "viewer/picture_area.h"

namespace {

const QRect TvScreen(16, 16, 313, 265);

void beepThreeTimes(UiServices& ui) {
  for (int beep = 0; beep < 3; ++beep) ui.beep();
}

}  // namespace

bool TForm9::walkingFromPicture(QObject* Sender) const {
  return Sender == Button6 || Sender == Button7;
}

void TForm9::enableWindowChoices(bool enabled) {
  for (QMenu* menu : {File1, Tools1, Help1}) menu->menuAction()->setEnabled(enabled);
  Edit2->menuAction()->setEnabled(true);
  Button3->setEnabled(enabled);
  Button4->setEnabled(enabled);
}

void TForm9::Button2Click(QObject* Sender) {
  UiServices& ui = program_.ui;
  SkipNextKey = false;
  if (ListBox1->currentRow() < 0 && ListBox1->count() > 0) ListBox1->setCurrentRow(0);
  if (tickedLineCount(*ListBox1) == 0) {
    ui.messageDlg(MessageKind::Information, "No File(s) Selected");
    Button12Click();
    return;
  }
  enableWindowChoices(false);
  if (!(Image1->isVisible() && walkingFromPicture(Sender))) setUpDisplay(Sender);

  while (CurrentIndex <= LastIndex && !lineTicked(*ListBox1, CurrentIndex)) ++CurrentIndex;
  if (CurrentIndex > LastIndex) {
    beepThreeTimes(ui);
    ui.setCursor(ScreenCursor::Normal);
    return;
  }
  ListBox1->setCurrentRow(CurrentIndex);
  ShowStatusLine();
  Label3->setText(QString::number(SelectedCount));
  if (!showCurrentPicture()) return;
  activateWindow();
  ui.setCursor(ScreenCursor::Normal);
}

void TForm9::setUpDisplay(QObject* Sender) {
  program_.ui.setCursor(ScreenCursor::HourGlass);
  if (Edit1->text().isEmpty()) Edit1->setText("4");
  const bool tvLook = CheckBox3->isChecked();
  setWindowFlag(Qt::FramelessWindowHint, !tvLook);
  Button12->setEnabled(true);
  Button1->setEnabled(false);
  ListBox1->hide();
  Button17->hide();
  SaveDisplayList1->setEnabled(false);
  Button19->setEnabled(false);
  for (QWidget* panel : std::initializer_list<QWidget*>{Panel3, Label1, Panel1, Panel2})
    panel->setVisible(tvLook);
  if (tvLook) {
    Image1->setGeometry(TvScreen);
    Button5->setEnabled(false);
  } else {
    Image1->setGeometry(client()->rect());
  }
  Image1->show();
  if (FillScreen->isChecked() || OriginalSize->isChecked()) menuBar()->hide();
  if (FillScreen->isChecked()) program_.platform.taskbar.hide();
  StopRequested = false;
  const bool keepsIndex = walkingFromPicture(Sender) || Sender == ListBox1 || Sender == Image1 ||
                          Sender == CheckBox2;
  if (!keepsIndex) CurrentIndex = ListBox1->currentRow();
  if (CurrentIndex > LastIndex) CurrentIndex = 0;
}

QString TForm9::pathOfCurrentFile() const {
  if (!NamesFromList && !DisplayListMode && CurrentIndex < OpenDialogFiles.size())
    return OpenDialogFiles[CurrentIndex];
  if (CurrentIndex >= 0 && CurrentIndex < ListBox1->count())
    return lines_->line(CurrentIndex).path;
  return CurrentFileName;
}

QSize TForm9::pictureSize() const { return Image1->pictureSize(); }

bool TForm9::showCurrentPicture() {
  UiServices& ui = program_.ui;
  CurrentFileName = ListBox1->item(CurrentIndex)->text();
  const QString path = pathOfCurrentFile();
  try {
    Image1->load(path);
  } catch (const std::exception&) {
    reportUnshowable(path);
    return false;
  }
  if (Image1->tooBig()) {
    const QSize original = Image1->pictureSize();
    Image1->hide();
    Image1->cut();
    ui.showMessage("Original Graphic Height:  " + QString::number(original.height()) + "\r" +
                   "Original Graphic Width:   " + QString::number(original.width()) + "\r\r" +
                   "Sorry, this graphic is too big for normal display!" + "\r\r" +
                   "A copy of the original graphic will be cropped in order to view part of it");
    ui.processMessages();
    Image1->show();
  }
  if (OriginalSize->isChecked() && !CheckBox3->isChecked()) {
    Image1->setGeometry(QRect(QPoint(0, 0), Image1->pictureSize()));
    client()->setFixedSize(Image1->pictureSize());
  }
  return true;
}

void TForm9::reportUnshowable(const QString& path) {
  UiServices& ui = program_.ui;
  ui.processMessages();
  RestoreListView();
  ui.setCursor(ScreenCursor::Normal);
  const Answer answer = ui.askYesNo(
      path,
      "Sorry, unable to display the above file\r(or problem reading the drive).\r\rIf a Slide "
      "Show is running, \"Yes\"\rwill attept to continue it.\r\rDo you wish to continue?");
  if (answer == Answer::No) {
    Button12Click();
    CheckBox2->setChecked(false);
    CurrentIndex = ListBox1->currentRow();
    return;
  }
  if (!CheckBox1->isChecked()) {
    showListControls(ListBox1->count() > 0);
    Label1->show();
  }
  if (CheckBox2->isChecked()) {
    Button6Click();
    ui.setCursor(ScreenCursor::Normal);
  }
}

// Next and Previous need a highlighted line and a ticked one.
bool TForm9::canWalk() {
  UiServices& ui = program_.ui;
  if (ListBox1->currentRow() < 0) {
    ui.messageDlg(MessageKind::Information, "No File Hi-Lighted");
    return false;
  }
  if (tickedLineCount(*ListBox1) == 0) {
    ui.messageDlg(MessageKind::Information, "No File(s) Selected");
    Button12Click();
    return false;
  }
  return true;
}

void TForm9::Button6Click() {
  UiServices& ui = program_.ui;
  if (!canWalk()) return;
  ++CurrentIndex;
  if (CurrentIndex <= LastIndex) {
    Button2Click(Button6);
    ui.setCursor(ScreenCursor::Normal);
  } else {
    beepThreeTimes(ui);
    CurrentIndex = LastIndex;
  }
}

void TForm9::Button7Click() {
  UiServices& ui = program_.ui;
  const int highlighted = ListBox1->currentRow();
  if (!canWalk() || PreviousBusy) return;
  PreviousBusy = true;
  for (int row = highlighted - 1; row >= 0; --row) {
    if (!lineTicked(*ListBox1, row)) continue;
    ListBox1->setCurrentRow(row);
    CurrentIndex = row;
    PreviousBusy = false;
    Button2Click(Button7);
    ui.setCursor(ScreenCursor::Normal);
    return;
  }
  beepThreeTimes(ui);
  CurrentIndex = highlighted;
  PreviousBusy = false;
}

void TForm9::Button12Click() {
  const bool compact = CheckBox1->isChecked();
  const bool hasLines = ListBox1->count() > 0;
  program_.platform.taskbar.show();
  if (!compact) menuBar()->show();
  StopRequested = true;
  Image1->hide();
  CheckBox2->setChecked(false);
  for (QMenu* menu : {File1, Edit2, Tools1, Help1}) menu->menuAction()->setEnabled(true);
  for (QWidget* control : std::initializer_list<QWidget*>{Button3, Button4, Button5, Button1})
    control->setEnabled(true);
  // An empty list stays behind its placeholder.
  if (!compact && hasLines) {
    showListControls(true);
    Label1->show();
  }
  SaveDisplayList1->setEnabled(hasLines && !compact);
  CurrentIndex = ListBox1->currentRow();
  update();
}

void TForm9::RestoreListView() {
  UiServices& ui = program_.ui;
  ui.processMessages();
  ui.setCursor(ScreenCursor::HourGlass);
  program_.platform.taskbar.show();
  Image1->hide();
  client()->setFixedSize(521, 389);
  setWindowFlag(Qt::FramelessWindowHint, false);
  Panel1->show();
  ui.setCursor(ScreenCursor::Normal);
}

void TForm9::CheckBox3Click() {
  const bool tvLook = CheckBox3->isChecked();
  if (tvLook) {
    FitWindow->setChecked(true);
    RzColorComboBox1->setColour(ListBox1->palette().color(QPalette::Text));
  }
  OriginalSize->setEnabled(!tvLook);
  FillScreen->setEnabled(!tvLook);
  RzColorComboBox1->setVisible(tvLook);
  CheckBox1->setEnabled(!tvLook);
}

void TForm9::WindUpDisplay() {
  if (!ListBox1->isHidden()) Button12Click();
  CurrentIndex = LastIndex + 10;
  hide();
}
