// The slide show: Display's walk with a pause after each picture, from the
// highlighted line to the end of the list.
#include <QAction>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>

#include "platform/platform_services.h"
#include "platform/taskbar.h"
#include "platform/ui_services.h"
#include "widgets/list_ticks.h"
#include "windows/viewer/graphics_viewer_window.h"
#include "windows/viewer/picture_walk.h"
#include "windows/viewer/slide_clock.h"

namespace {

// The pause rests this long between its rounds rather than keep a processor busy.
constexpr int RestMilliseconds = 10;

int secondsIntoHour(QTime time) { return time.minute() * 60 + time.second(); }

}  // namespace

void TForm9::CheckBox2Click() {
  if (CheckBox2->isChecked()) {
    if (!startSlideShow()) return;
    Pictures->startShow();
    program_.platform.taskbar.setSlideShowRunning(true);
    Button2Click(CheckBox2);
  }
  slideShowEnded();
}

// False when there is nothing to show from the highlighted line on.
bool TForm9::startSlideShow() {
  UiServices& ui = program_.ui;
  SkipNextKey = false;
  if (tickedLineCount(*ListBox1) == 0) {
    ui.messageDlg(MessageKind::Information, "No File(s) Selected");
    return false;
  }
  if (Edit1->text().isEmpty()) Edit1->setText("4");
  Pictures->SlideDelay = Edit1->text().toInt();
  Button5->setEnabled(false);
  ListBox1->hide();
  Button17->hide();
  SaveDisplayList1->setEnabled(false);
  Button19->setEnabled(false);
  enableWindowChoices(false);
  Button18->setEnabled(false);
  Pictures->StopRequested = false;
  Pictures->CurrentIndex = ListBox1->currentRow();
  if (Pictures->showStart(Pictures->CurrentIndex) < 0) {
    Pictures->CurrentIndex = 0;
    Button12Click();
    ui.messageDlg(MessageKind::Information,
                  "There are no more selections.\r\rPlease select (tick) and highlight a file "
                  "from\rwhere you wish the Slide Show to begin.");
    return false;
  }
  return true;
}

// After a show, or when the user unticks the box.
void TForm9::slideShowEnded() {
  Pictures->endShow();
  program_.platform.taskbar.setSlideShowRunning(false);
  Button5->setEnabled(true);
  for (QMenu* menu : {File1, Edit2, Tools1, Help1}) menu->menuAction()->setEnabled(true);
  for (QPushButton* control : {Button3, Button4, Button18}) control->setEnabled(true);
  Button12Click();
  if (Pictures->CurrentIndex >= Pictures->LastIndex) Pictures->CurrentIndex = 0;
  program_.ui.setCursor(ScreenCursor::Normal);
}

// A show ends when asked to stop or when its box is no longer ticked.
bool TForm9::slideShowStopped() const {
  return Pictures->StopRequested || !Pictures->showRunning();
}

// The pause is measured in whole seconds of the hour, so it lasts between one
// second less than the delay and the delay; when the hour turns it starts again.
void TForm9::waitSlideDelay() {
  QTime now = clock_->timeOfDay();
  int start = secondsIntoHour(now);
  int minute = now.minute();
  for (;;) {
    if (slideShowStopped()) return;
    program_.ui.processMessages();
    if (slideShowStopped()) return;
    now = clock_->timeOfDay();
    if (now.minute() < minute) {
      start = secondsIntoHour(now);
      minute = now.minute();
    }
    if (secondsIntoHour(now) >= start + Pictures->SlideDelay) return;
    clock_->rest(RestMilliseconds);
  }
}
