// Steps that many of the media player's handlers share: groups of controls
// enabled, shown or emptied together.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>

#include "platform/timer.h"
#include "widgets/colour_box.h"
#include "widgets/drive_box.h"
#include "windows/media/media_player_window.h"

// Without room to scroll sideways an emptied list shows no scroll bar.
void TForm4::setExtent(int pixels) {
  HorizontalExtent = pixels;
  ListBox1->setHorizontalScrollBarPolicy(pixels > ListBox1->width() ? Qt::ScrollBarAsNeeded
                                                                    : Qt::ScrollBarAlwaysOff);
}

// Only the user's own ticking is a tick change; the program's goes unheard.
void TForm4::setTicked(int index, bool ticked) {
  const QSignalBlocker quiet(ListBox1);
  ListBox1->item(index)->setCheckState(ticked ? Qt::Checked : Qt::Unchecked);
}

void TForm4::tickAll() {
  for (int index = 0; index < ListBox1->count(); ++index) setTicked(index, true);
}

void TForm4::setLookControlsEnabled(bool enabled) {
  for (QWidget* control : std::initializer_list<QWidget*>{
           Button8, Button9, Button10, Button11, Button13, Button14, Button15, RzColorComboBox1})
    control->setEnabled(enabled);
}

void TForm4::setVideoSizeChoicesEnabled(bool enabled) {
  for (QRadioButton* choice : {RadioButton1, RadioButton3, RadioButton2})
    choice->setEnabled(enabled);
}

void TForm4::setMenusEnabled(bool enabled) {
  File1->menuAction()->setEnabled(enabled);
  setToolsAndHelpEnabled(enabled);
}

// The File menu stays at hand while a file plays; these two do not.
void TForm4::setToolsAndHelpEnabled(bool enabled) {
  for (QMenu* menu : {Tools1, Help1}) menu->menuAction()->setEnabled(enabled);
}

// What a running search must not let the user start: another fill, search or a way out.
void TForm4::setSearchControlsEnabled(bool enabled) {
  for (QWidget* control :
       std::initializer_list<QWidget*>{Button7, Button12, DriveComboBox1, ComboBox1, Button16})
    control->setEnabled(enabled);
  ReturntoCDPlayer1->setEnabled(enabled);
  DisplayGraphicFiles1->setEnabled(enabled);
}

// "&Play", "Auto Pla&y", "Su&b Select", "&Next", "Pre&vious"; "Pa&use" only ever goes off with
// them.
void TForm4::setTransportEnabled(bool enabled) {
  for (QWidget* control :
       std::initializer_list<QWidget*>{Button1, CheckBox1, Button17, Button4, Button5})
    control->setEnabled(enabled);
  if (!enabled) Button3->setEnabled(false);
}

void TForm4::setSelectionRowShown(bool shown) {
  for (QWidget* control :
       std::initializer_list<QWidget*>{Button12, Button6, DriveComboBox1, ComboBox1})
    control->setVisible(shown);
}

void TForm4::emptyPlaybackLabels() {
  for (QLabel* label : {Label1, Label2, Label5, Label6, Label3, Label4}) label->clear();
}

void TForm4::emptyAllLabels() {
  emptyPlaybackLabels();
  Label7->clear();
}

void TForm4::clearPosition() {
  TrackBar1->setValue(0);
  Gauge1->setValue(0);
}

void TForm4::showSelectedCount(int count) {
  Label7->setText("Selected: " + QString::number(count));
}

void TForm4::showListIfFilled() {
  ListBox1->show();
  SavePlayList2->setEnabled(ListBox1->count() > 0);
}

// The window as it stands without a usable list; the list keeps its visibility.
void TForm4::resetWithoutList() {
  ListBox1->clear();
  setExtent(30);
  SavePlayList2->setEnabled(false);
  setLookControlsEnabled(false);
  setVideoSizeChoicesEnabled(true);
  CurrentTitle.clear();
  CurrentFileName.clear();
  setMenusEnabled(true);
  setTransportEnabled(false);
  Button2->setEnabled(false);
  Button18->setEnabled(false);
  emptyAllLabels();
  clearPosition();
}
