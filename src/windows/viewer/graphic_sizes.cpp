// The three sizes a picture is shown at, TV look and compact mode.
#include <QAction>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QListWidget>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>

#include "platform/platform_services.h"
#include "platform/pointer.h"
#include "platform/ui_services.h"
#include "program/program_state.h"
#include "widgets/colour_box.h"
#include "widgets/list_look.h"
#include "windows/viewer/graphics_viewer_window.h"
#include "windows/viewer/picture_area.h"

void TForm9::RadioGroup1Click() {
  const bool tvLook = CheckBox3->isChecked();
  const bool compact = CheckBox1->isChecked();
  const bool pictureShown = Image1->isVisible();
  if (!tvLook && (!compact || OriginalSize->isChecked()))
    program_.platform.pointer.moveTo(screenCentre());
  if (!compact) menuBar()->show();
  if (pictureShown) setBorder(tvLook);
  if (tvLook) {
    CheckBox1->setEnabled(false);
    FitWindow->setChecked(true);
    return;
  }
  if (FitWindow->isChecked()) {
    program_.ui.processMessages();
    RestoreListView();
  }
  if (Image1->isVisible()) {
    for (QWidget* panel : std::initializer_list<QWidget*>{Panel1, Panel2, Label1, Panel3})
      panel->hide();
    if (OriginalSize->isChecked()) {
      menuBar()->hide();
      pictureFillsWindow();
      program_.platform.pointer.moveTo(screenCentre());
      setClientSize(pictureSize());
      centreWindow();
    } else if (FillScreen->isChecked()) {
      Button2Click(RadioGroup1);
    }
  }
  if (OriginalSize->isChecked()) pictureFillsWindow();
}

void TForm9::CheckBox3Click() {
  const bool tvLook = CheckBox3->isChecked();
  if (tvLook) {
    FitWindow->setChecked(true);
    const QColor listColour = ListBox1->palette().color(QPalette::Text);
    program_.state.settings.Colour = settingFromColour(listColour);
    RzColorComboBox1->setColour(listColour);
  }
  OriginalSize->setEnabled(!tvLook);
  FillScreen->setEnabled(!tvLook);
  RzColorComboBox1->setVisible(tvLook);
  CheckBox1->setEnabled(!tvLook);
}

void TForm9::CheckBox1Click() {
  UiServices& ui = program_.ui;
  if (LastIndex > 5000) {
    LastIndex = 0;
    SelectedCount = 1;
    ui.messageDlg(MessageKind::Information,
                  "Too many files for mode switching...you will need to re-select!!");
    ListBox1->clear();
    Label1->clear();
    Label3->clear();
    disableListControls();
    Panel2->hide();
    Panel3->hide();
  }
  if (CheckBox1->isChecked()) {
    CheckBox3->setChecked(false);
    CheckBox3->setEnabled(false);
    CheckBox2->setChecked(false);
    OriginalSize->setEnabled(true);
    Image1->hide();
    pictureFillsWindow();
    ui.setCursor(ScreenCursor::HourGlass);
    for (QWidget* control :
         std::initializer_list<QWidget*>{Panel3, Panel4, Label1, ListBox1, Button17, Panel2})
      control->hide();
    SaveDisplayList1->setEnabled(false);
    Button19->setEnabled(false);
    enterCompactShape();
    Button12->setEnabled(false);
    ui.setCursor(ScreenCursor::Normal);
    ResetType();
    menuBar()->hide();
    return;
  }
  ui.setCursor(ScreenCursor::HourGlass);
  ui.processMessages();
  RestoreListView();
  Panel1->move(344, 8);
  CheckBox3->setEnabled(true);
  CheckBox3->setChecked(true);
  OriginalSize->setEnabled(false);
  Button12Click();
  ListBox1->setCurrentRow(CurrentIndex);
  const bool hasLines = ListBox1->count() > 0;
  showListControls(hasLines);
  Label1->setVisible(hasLines);
  Panel4->setVisible(!hasLines);
  if (hasLines) {
    CurrentIndex = 0;
    ListBox1->setCurrentRow(0);
    ShowStatusLine();
  }
  ResetType();
  menuBar()->show();
  ui.setCursor(ScreenCursor::Normal);
}
