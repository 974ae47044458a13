// Ending a display: Stop, Esc and the popup Stop, minimizing, the end of a
// show, and the window's way back to its list view.
#include <QAction>
#include <QCheckBox>
#include <QEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <utility>

#include "platform/platform_services.h"
#include "platform/pointer.h"
#include "platform/taskbar.h"
#include "platform/ui_services.h"
#include "windows/viewer/graphics_viewer_window.h"
#include "windows/viewer/picture_area.h"

void TForm9::Button12Click() {
  const bool compact = Pictures->CompactMode;
  const bool hasLines = ListBox1->count() > 0;
  program_.platform.taskbar.show();
  if (!compact) menuBar()->show();
  Pictures->StopRequested = true;
  hidePictureArea();
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
  Pictures->CurrentIndex = ListBox1->currentRow();
  update();
}

void TForm9::returnToList() {
  showListControls(true);
  if (Pictures->CurrentIndex >= 0 && Pictures->CurrentIndex < ListBox1->count()) {
    ListBox1->setCurrentRow(Pictures->CurrentIndex);
    Pictures->CurrentFileName = ListBox1->item(Pictures->CurrentIndex)->text();
  }
  Label1->show();
}

void TForm9::Exit1Click() {
  program_.ui.setCursor(ScreenCursor::HourGlass);
  program_.ui.processMessages();
  update();
  endDisplayFromKeyOrPopup();
}

// Esc and the popup Stop: a show or compact mode is stopped first; compact mode
// keeps its control panel alone, otherwise the list comes back.
void TForm9::endDisplayFromKeyOrPopup() {
  UiServices& ui = program_.ui;
  const bool compact = Pictures->CompactMode;
  if (Pictures->showRunning() || compact) {
    Pictures->StopRequested = true;
    CheckBox2->setChecked(false);
    ui.processMessages();
    RestoreListView();
    Button12Click();
    if (compact)
      Pictures->StopRequested = false;
    else
      returnToList();
  } else {
    RestoreListView();
    returnToList();
    Button12Click();
  }
  ResetType();
  if (!compact) menuBar()->show();
  ui.setCursor(ScreenCursor::Normal);
}

void TForm9::changeEvent(QEvent* event) {
  Form::changeEvent(event);
  if (event->type() == QEvent::WindowStateChange) guard([this] { FormResize(); });
}

// Minimizing ends a display: the desktop's panels and screen saver are given
// back at once, and the window comes back from the taskbar in its list view,
// whatever shape the picture gave it.
void TForm9::FormResize() {
  if (!isMinimized()) {
    if (std::exchange(listViewOnRestore_, false)) RestoreListView();
    return;
  }
  const bool displaying = Pictures->pictureShown();
  Pictures->StopRequested = true;
  hidePictureArea();
  CheckBox2->setChecked(false);
  Pictures->CurrentIndex = ListBox1->currentRow();
  if (Pictures->CurrentIndex >= 0) showListControls(true);
  if (!displaying) return;
  Button12Click();
  listViewOnRestore_ = true;
}

void TForm9::RestoreListView() {
  UiServices& ui = program_.ui;
  ui.processMessages();
  hide();
  ui.setCursor(ScreenCursor::HourGlass);
  program_.platform.taskbar.show();
  if (Pictures->CompactMode) {
    enterCompactShape();
    Panel2->hide();
    hidePictureArea();
    ui.processMessages();
    show();
  } else {
    // Back from full screen the window returns to where it stood.
    const bool fromFullScreen = isFullScreen();
    setClientSize(QSize(SavedWidth, SavedHeight));
    if (fromFullScreen)
      setGeometry(QRect(listViewPlace_, size()));
    else
      centreWindow();
    hidePictureArea();
    setBorder(true);
    ui.processMessages();
    show();
    Panel1->show();
  }
  ui.setCursor(ScreenCursor::Normal);
}

void TForm9::endOfList() {
  UiServices& ui = program_.ui;
  hide();
  if (Pictures->showRunning()) {
    Button12Click();
    ui.processMessages();
    RestoreListView();
    Button5->setEnabled(true);
    ResetType();
  }
  if (!Pictures->CompactMode) {
    showListControls(true);
    Label1->show();
    Button1->setEnabled(true);
    program_.platform.pointer.moveTo(screenCentre());
    ShowStatusLine();
    Label3->setText(QString::number(SelectedCount));
  }
  show();
}
