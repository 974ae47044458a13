// Showing the ticked lines' pictures: Display with its walk, Next and Previous.
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

#include "platform/failure_log.h"
#include "platform/platform_services.h"
#include "platform/pointer.h"
#include "platform/taskbar.h"
#include "platform/ui_services.h"
#include "services/files/list_widget_lines.h"
#include "widgets/list_ticks.h"
#include "windows/viewer/graphics_viewer_window.h"
#include "windows/viewer/picture_area.h"
#include "windows/viewer/picture_walk.h"

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
  SkipNextKey = false;
  if (ListBox1->currentRow() < 0 && ListBox1->count() > 0) ListBox1->setCurrentRow(0);
  if (tickedLineCount(*ListBox1) == 0) {
    program_.ui.messageDlg(MessageKind::Information, "No File(s) Selected");
    Button12Click();
    return;
  }
  enableWindowChoices(false);
  if (!(Pictures->pictureShown() && walkingFromPicture(Sender))) setUpDisplay(Sender);
  walk();
}

void TForm9::setUpDisplay(QObject* Sender) {
  if (!Pictures->pictureShown()) listViewPlace_ = geometry().topLeft();
  program_.ui.setCursor(ScreenCursor::HourGlass);
  if (Edit1->text().isEmpty()) Edit1->setText("4");
  const bool tvLook = Pictures->TvLook;
  setBorder(tvLook);
  Button12->setEnabled(true);
  Button1->setEnabled(false);
  for (QWidget* panel : std::initializer_list<QWidget*>{Panel3, Label1, Panel1, Panel2})
    panel->setVisible(tvLook);
  if (tvLook) Button5->setEnabled(false);
  ListBox1->hide();
  Button17->hide();
  SaveDisplayList1->setEnabled(false);
  Button19->setEnabled(false);
  if (tvLook) {
    Image1->setGeometry(TvScreen);
  } else {
    pictureFillsWindow();
    program_.platform.pointer.moveTo(pointerBesideWindow(125, 80));
  }
  showPictureArea(tvLook ? PictureWalk::Shape::Framed : PictureWalk::Shape::Window);
  if (Pictures->PictureSize == PictureWalk::Size::FillScreen && !isFullScreen()) {
    menuBar()->hide();
    enterFullScreen();
    Pictures->reshape(PictureWalk::Shape::FullScreen);
    program_.platform.pointer.moveTo(QPoint(screenSize().width(), screenSize().height()));
    program_.platform.taskbar.hide();
  }
  if (Pictures->PictureSize == PictureWalk::Size::Original) menuBar()->hide();
  Pictures->StopRequested = false;
  const bool keepsIndex =
      walkingFromPicture(Sender) || Sender == ListBox1 || Sender == Image1 || Sender == CheckBox2;
  if (!keepsIndex) Pictures->CurrentIndex = ListBox1->currentRow();
  if (Pictures->CurrentIndex > Pictures->LastIndex) Pictures->CurrentIndex = 0;
}

void TForm9::showPictureArea(PictureWalk::Shape shape) {
  Pictures->showPicture(shape);
  Image1->show();
}

void TForm9::hidePictureArea() {
  Pictures->hidePicture();
  Image1->hide();
}

void TForm9::highlightCurrentLine() {
  ListBox1->setCurrentRow(Pictures->CurrentIndex);
  ShowStatusLine();
  Label3->setText(QString::number(SelectedCount));
}

// A show stops at the end of the list; a single display beeps there and keeps
// its picture. The window takes its shape for a show once, at its first
// picture. The walk keeps its own place: what runs during a pause may move
// CurrentIndex.
void TForm9::walk() {
  UiServices& ui = program_.ui;
  int line = Pictures->CurrentIndex;
  for (bool firstPicture = true;; firstPicture = false) {
    const PictureWalk::Place place = Pictures->from(line, Pictures->showRunning());
    Pictures->CurrentIndex = place.line;
    if (place.step == PictureWalk::Step::BeepAtEnd) {
      beepThreeTimes(ui);
      ui.setCursor(ScreenCursor::Normal);
      return;
    }
    if (place.step == PictureWalk::Step::EndOfShow) break;
    highlightCurrentLine();
    if (!showCurrentPicture()) return;
    if (Pictures->PictureSize == PictureWalk::Size::FillScreen && firstPicture) fillScreen();
    if (Pictures->PictureSize == PictureWalk::Size::Original) showAtOriginalSize();
    if (!Pictures->showRunning()) {
      activateWindow();
      ui.setCursor(ScreenCursor::Normal);
      return;
    }
    waitSlideDelay();
    if (!PictureWalk::showGoesOn(Pictures->showRunning(), Pictures->StopRequested)) {
      Pictures->StopRequested = false;
      ui.setCursor(ScreenCursor::Normal);
      ui.processMessages();
      RestoreListView();
      return;
    }
    line = place.line + 1;
    if (line <= Pictures->LastIndex) {
      Pictures->CurrentIndex = line;
      highlightCurrentLine();
    }
    ui.setCursor(ScreenCursor::Normal);
  }
  endOfList();
}

// Every line keeps the real path of its file, however the list was filled.
QString TForm9::pathOfCurrentFile() const {
  if (Pictures->CurrentIndex >= 0 && Pictures->CurrentIndex < ListBox1->count())
    return lines_->line(Pictures->CurrentIndex).path;
  return Pictures->CurrentFileName;
}

QSize TForm9::pictureSize() const { return Pictures->pictureSize(); }

bool TForm9::showCurrentPicture() {
  Pictures->CurrentFileName = ListBox1->item(Pictures->CurrentIndex)->text();
  const QString path = pathOfCurrentFile();
  try {
    Image1->load(path);
    if (Image1->tooBig()) cutTooBigPicture();
    Pictures->setPictureSize(Image1->pictureSize());
  } catch (const std::exception& error) {
    logFailure(path + ": " + QString::fromUtf8(error.what()));
    reportUnshowable(path);
    return false;
  }
  return true;
}

void TForm9::cutTooBigPicture() {
  UiServices& ui = program_.ui;
  const QSize original = Image1->pictureSize();
  // Out of view only while the box about it is up.
  Image1->hide();
  Image1->cut();
  ui.showMessage("Original Graphic Height:  " + QString::number(original.height()) + "\r" +
                 "Original Graphic Width:   " + QString::number(original.width()) + "\r\r" +
                 "Sorry, this graphic is too big for normal display!" + "\r\r" +
                 "A copy of the original graphic will be cropped in order to view part of it");
  ui.processMessages();
  Image1->show();
}

void TForm9::fillScreen() {
  enterFullScreen();
  Pictures->reshape(PictureWalk::Shape::FullScreen);
  program_.ui.setCursor(ScreenCursor::Normal);
}

void TForm9::showAtOriginalSize() {
  setClientSize(pictureSize());
  pictureFillsWindow();
  centreWindow();
  program_.platform.pointer.moveTo(pointerBelowPicture());
  Pictures->reshape(PictureWalk::Shape::OriginalSize);
}

void TForm9::reportUnshowable(const QString& path) {
  UiServices& ui = program_.ui;
  ui.processMessages();
  RestoreListView();
  program_.platform.pointer.moveTo(screenCentre());
  ui.setCursor(ScreenCursor::Normal);
  const Answer answer = ui.askYesNoAfterError(
      path,
      "Sorry, unable to display the above file\r(or problem reading the drive).\r\rIf a Slide "
      "Show is running, \"Yes\"\rwill attept to continue it.\r\rDo you wish to continue?");
  const PictureWalk::AfterFailure next =
      PictureWalk::afterFailure(answer == Answer::Yes, Pictures->showRunning());
  if (next == PictureWalk::AfterFailure::Stop) {
    Button12Click();
    CheckBox2->setChecked(false);
    Pictures->CurrentIndex = ListBox1->currentRow();
    return;
  }
  if (!Pictures->CompactMode) {
    program_.platform.pointer.moveTo(screenCentre());
    showListControls(ListBox1->count() > 0);
    Label1->show();
  }
  if (next == PictureWalk::AfterFailure::ContinueShow) {
    Button6Click();
    ui.setCursor(ScreenCursor::Normal);
  } else {
    // Nothing goes on: the window is left as Stop leaves it, free to be left.
    Button12Click();
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
  const int next = Pictures->nextLine(Pictures->CurrentIndex);
  if (next >= 0) {
    Pictures->CurrentIndex = next;
    Button2Click(Button6);
    ui.setCursor(ScreenCursor::Normal);
  } else {
    beepThreeTimes(ui);
    Pictures->CurrentIndex = Pictures->LastIndex;
  }
}

void TForm9::Button7Click() {
  UiServices& ui = program_.ui;
  const int highlighted = ListBox1->currentRow();
  if (!canWalk() || Pictures->PreviousBusy) return;
  Pictures->PreviousBusy = true;
  const int previous = Pictures->previousTicked(highlighted);
  Pictures->PreviousBusy = false;
  if (previous < 0) {
    beepThreeTimes(ui);
    Pictures->CurrentIndex = highlighted;
    return;
  }
  ListBox1->setCurrentRow(previous);
  Pictures->CurrentIndex = previous;
  Button2Click(Button7);
  ui.setCursor(ScreenCursor::Normal);
}

void TForm9::WindUpDisplay() {
  if (!ListBox1->isHidden()) Button12Click();
  Pictures->CurrentIndex = Pictures->LastIndex + 10;
  hide();
}
