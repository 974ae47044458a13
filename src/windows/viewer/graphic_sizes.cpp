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

namespace {

PictureWalk::Size chosenSize(const QRadioButton& original, const QRadioButton& fill) {
  if (original.isChecked()) return PictureWalk::Size::Original;
  return fill.isChecked() ? PictureWalk::Size::FillScreen : PictureWalk::Size::FitWindow;
}

}  // namespace

void TForm9::RadioGroup1Click() {
  Pictures->PictureSize = chosenSize(*OriginalSize, *FillScreen);
  const bool tvLook = Pictures->TvLook;
  const bool compact = Pictures->CompactMode;
  const bool pictureShown = Pictures->pictureShown();
  using Size = PictureWalk::Size;
  if (!tvLook && (!compact || Pictures->PictureSize == Size::Original))
    program_.platform.pointer.moveTo(screenCentre());
  if (!compact) menuBar()->show();
  if (pictureShown) setBorder(tvLook);
  if (tvLook) {
    CheckBox1->setEnabled(false);
    FitWindow->setChecked(true);
    return;
  }
  if (Pictures->PictureSize == Size::FitWindow) {
    program_.ui.processMessages();
    RestoreListView();
  }
  if (Pictures->pictureShown()) {
    for (QWidget* panel : std::initializer_list<QWidget*>{Panel1, Panel2, Label1, Panel3})
      panel->hide();
    if (Pictures->PictureSize == Size::Original) {
      menuBar()->hide();
      pictureFillsWindow();
      program_.platform.pointer.moveTo(screenCentre());
      setClientSize(pictureSize());
      centreWindow();
      Pictures->reshape(PictureWalk::Shape::OriginalSize);
    } else if (Pictures->PictureSize == Size::FillScreen) {
      Button2Click(RadioGroup1);
    }
  }
  if (Pictures->PictureSize == Size::Original) pictureFillsWindow();
}

void TForm9::CheckBox3Click() {
  const bool tvLook = Pictures->TvLook = CheckBox3->isChecked();
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
  if (Pictures->LastIndex > 5000) {
    Pictures->LastIndex = 0;
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
  Pictures->CompactMode = CheckBox1->isChecked();
  if (Pictures->CompactMode) {
    CheckBox3->setChecked(false);
    CheckBox3->setEnabled(false);
    CheckBox2->setChecked(false);
    OriginalSize->setEnabled(true);
    hidePictureArea();
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
  ListBox1->setCurrentRow(Pictures->CurrentIndex);
  const bool hasLines = ListBox1->count() > 0;
  showListControls(hasLines);
  Label1->setVisible(hasLines);
  Panel4->setVisible(!hasLines);
  if (hasLines) {
    Pictures->CurrentIndex = 0;
    ListBox1->setCurrentRow(0);
    ShowStatusLine();
  }
  ResetType();
  menuBar()->show();
  ui.setCursor(ScreenCursor::Normal);
}
