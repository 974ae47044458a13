// Filling the graphic list: from the open dialog, files handed in, a display list file or
// from a search of a whole drive; saving it as a display list.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>

#include "platform/ui_services.h"
#include "services/files/drive_search.h"
#include "services/files/list_files.h"
#include "services/files/list_widget_lines.h"
#include "services/files/list_window_kind.h"
#include "widgets/drive_box.h"
#include "widgets/list_ticks.h"
#include "windows/viewer/graphics_viewer_window.h"
#include "windows/viewer/picture_area.h"

namespace {

const QStringList PictureTypes = {"BMP", "FIF", "ICO", "JPG", "WMF", "ALL"};

const QString OpenFilter =
    "All media (*.BMP *.FIF *.ICO *.JPG *.WMF *.bmp *.fif *.ico *.jpg *.wmf);;"
    "BMP files (*.BMP *.bmp);;FIF files (*.FIF *.fif);;Icon files (*.ICO *.ico);;"
    "JPEG files (*.JPG *.jpg);;Metafiles (*.WMF *.wmf)";

// The open dialog's names in list order: the first and last swap places when
// the first sorts after the last, and nothing else moves.
QStringList inListOrder(QStringList files) {
  if (files.size() > 1 && files.front().compare(files.back(), Qt::CaseInsensitive) > 0)
    files.swapItemsAt(0, files.size() - 1);
  return files;
}

}  // namespace

void TForm9::Button1Click() {
  prepareForFilling();
  if (DisplayListMode)
    fillFromDisplayList();
  else
    fillFromOpenDialog();
}

void TForm9::prepareForFilling() {
  Pictures->CurrentIndex = 0;
  Label1->clear();
  DisplayListInUse = false;
  NamesFromList = false;
  for (QWidget* control : std::initializer_list<QWidget*>{Button2, Button6, Button7, CheckBox2})
    control->setEnabled(false);
}

void TForm9::FillWithFiles(const QStringList& files) {
  prepareForFilling();
  fillWithChosen(files);
}

void TForm9::fillFromOpenDialog() {
  fillWithChosen(inListOrder(program_.ui.openFileNames({"", OpenFilter, "", ""})));
}

void TForm9::fillWithChosen(const QStringList& files) {
  program_.ui.setCursor(ScreenCursor::HourGlass);
  Pictures->LastIndex = int(files.size()) - 1;
  if (files.isEmpty()) return showEmptyList();
  Panel4->hide();
  SelectedCount = int(files.size());
  ListBox1->clear();
  for (const QString& file : files) lines_->append(ListLine::forFile(file), true);
  showFilledList();
}

void TForm9::fillFromDisplayList() {
  ListFiles(*this, graphicsViewerLists(), program_.ui).LoadListFile();
  Pictures->CurrentIndex = 0;
  if (ListBox1->count() > 0) ListBox1->setCurrentRow(0);
  Pictures->LastIndex = ListBox1->count() - 1;
  SelectedCount = ListBox1->count();
  if (ListBox1->count() == 0) return showEmptyList();
  DisplayListInUse = true;
  Panel4->hide();
  SaveDisplayList1->setEnabled(true);
  showFilledList();
}

void TForm9::showEmptyList() {
  hidePictureArea();
  ListBox1->clear();
  ListBox1->hide();
  SaveDisplayList1->setEnabled(false);
  Button19->setEnabled(false);
  Button12->setEnabled(false);
  Button17->hide();
  Panel2->hide();
  Panel3->hide();
  Label1->clear();
  Label3->clear();
  program_.ui.setCursor(ScreenCursor::Normal);
  program_.ui.messageDlg(MessageKind::Information, "Nothing or too many items selected!");
  Panel4->setVisible(!Pictures->CompactMode);
  if (ComboBox1->currentText().isEmpty()) ResetType();
}

void TForm9::showFilledList() {
  ListBox1->setCurrentRow(0);
  for (QWidget* control : std::initializer_list<QWidget*>{Button2, Button6, Button7, CheckBox2})
    control->setEnabled(true);
  Label3->setText(QString::number(ListBox1->count()));
  if (!Pictures->CompactMode) {
    showListControls(true);
    Pictures->CurrentFileName = ListBox1->item(0)->text();
    ShowStatusLine(ListBox1->count());
  }
  program_.ui.setCursor(ScreenCursor::Normal);
}

void TForm9::Button1RightClick() { DisplayListOFF1Click(); }

void TForm9::DisplayListOFF1Click() {
  DisplayListMode = !DisplayListMode;
  DisplayListOFF1->setText(DisplayListMode ? "Display &List is ON" : "Display &List is OFF");
  Button1->setText(DisplayListMode ? "Select Display &List" : "Select Files F&or Display");
}

void TForm9::SaveDisplayList1Click() {
  Button12Click();
  if (SelectedCount != 0)
    ListFiles(*this, graphicsViewerLists(), program_.ui).SaveListFile();
  else
    program_.ui.messageDlg(MessageKind::Information, "No point, there are no files selected!");
}

void TForm9::setFindCaption() {
  const QString type = ComboBox1->currentText().isEmpty() ? "BMP" : ComboBox1->currentText();
  const QString drive = DriveComboBox1->drive();
  Button5->setText(type == "ALL" ? "Find &ALL on drive " + drive + ":"
                                 : "Find &all " + type + "'s on drive " + drive + ":");
}

void TForm9::setFindCaptionWithoutDrive() {
  Button5->setText("Find &all " + ComboBox1->currentText() + "'s on drive");
}

void TForm9::ComboBox1Change() {
  if (PictureTypes.contains(ComboBox1->currentText())) setFindCaption();
}

void TForm9::ComboBox1Exit() {
  const QString type = ComboBox1->currentText().toUpper();
  ComboBox1->setCurrentText(PictureTypes.contains(type) ? type : "BMP");
  setFindCaptionWithoutDrive();
}

void TForm9::DriveComboBox1Change() {
  setFindCaption();
  Button5->update();
}

void TForm9::ResetType() {
  ComboBox1->setCurrentText("BMP");
  setFindCaption();
}

// The search itself runs through the shared drive search, which ends by
// throwing SearchEnded once it has told the user and reset this window.
void TForm9::Button5Click() {
  if (SearchRunning) return;
  SearchRunning = true;
  DisplayListInUse = false;
  Panel4->hide();
  ListBox1->clear();
  Pictures->CurrentFileName.clear();
  Label1->clear();
  SearchAbortRequested = false;
  disableForSearch();
  if (!enterDriveRoot()) return;
  SkipNextKey = true;
  try {
    DriveSearch(*this, graphicsViewerLists(), program_.ui).SearchCurrentDirectory();
  } catch (const SearchEnded&) {
    return;
  }
  showSearchResult();
  SearchRunning = false;
}

void TForm9::disableForSearch() {
  for (QWidget* control :
       std::initializer_list<QWidget*>{Button1, Button16, BitBtn1, Button3, Button2, Button6,
                                       Button7, Button4, CheckBox1, Button12, CheckBox2, CheckBox3})
    control->setEnabled(false);
  for (QMenu* menu : {File1, Edit2, Tools1, Help1}) menu->menuAction()->setEnabled(false);
  Button5->setFocus();
  setFindCaption();
  NamesFromList = true;
  ListBox1->show();
  Animate1->show();
  Pictures->LastIndex = 0;
  Label3->clear();
}

bool TForm9::enterDriveRoot() {
  const QString drive = DriveComboBox1->drive();
  if (!drive.isEmpty() && QDir::setCurrent(drive)) return true;
  stopSearchAnimation();
  program_.ui.messageDlg(MessageKind::Error, "There is a problem reading drive " + drive + ":");
  ListBox1->hide();
  setIdleControls();
  SearchRunning = false;
  return false;
}

void TForm9::showSearchResult() {
  const int found = ListBox1->count();
  Pictures->LastIndex = found - 1;
  if (found > 0) {
    Label1->setText("Selected: " + QString::number(found));
    Label3->setText(QString::number(found));
  }
  stopSearchAnimation();
  setEveryLineTicked(*ListBox1, true);
  if (found == 0) return showNothingFound();

  SelectedCount = found;
  for (QWidget* control :
       std::initializer_list<QWidget*>{CheckBox2, Button1, Button3, Button4, Button2, Button6,
                                       Button7, Button12, Button16, BitBtn1})
    control->setEnabled(true);
  for (QMenu* menu : {File1, Edit2, Tools1, Help1}) menu->menuAction()->setEnabled(true);
  const bool compact = Pictures->CompactMode;
  CheckBox3->setEnabled(!compact);
  CheckBox1->setEnabled(!CheckBox3->isEnabled());
  ListBox1->setCurrentRow(0);
  Pictures->CurrentIndex = 0;
  if (compact) {
    ListBox1->hide();
    return;
  }
  showListControls(true);
  Pictures->CurrentFileName = ListBox1->item(0)->text();
  ShowStatusLine(found);
}

void TForm9::showNothingFound() {
  CheckBox2->setChecked(false);
  ListBox1->hide();
  showListControls(false);
  Label3->clear();
  const QString type = ComboBox1->currentText();
  const QString drive = DriveComboBox1->drive();
  program_.ui.messageDlg(MessageKind::Information,
                         type == "ALL"
                             ? "No BMP, FIF, ICO, JPG or WMF files found on drive " + drive + ":"
                             : "No " + type + " files found on drive " + drive + ":");
  setIdleControls();
}

// The controls as they stand while the list is empty and nothing runs.
void TForm9::setIdleControls() {
  const bool compact = Pictures->CompactMode;
  Panel4->setVisible(!compact);
  for (QWidget* control :
       std::initializer_list<QWidget*>{Button1, Button3, Button4, Button5, Button16, BitBtn1})
    control->setEnabled(true);
  for (QMenu* menu : {File1, Edit2, Tools1, Help1}) menu->menuAction()->setEnabled(true);
  for (QWidget* control :
       std::initializer_list<QWidget*>{Button2, Button6, Button7, Button12, CheckBox2})
    control->setEnabled(false);
  CheckBox1->setEnabled(compact);
  CheckBox3->setEnabled(!compact);
  showListControls(false);
}
