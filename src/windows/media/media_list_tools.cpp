// Tools on the media list that do not fill it: the type chooser, Find, the
// file details box and the look of the list and the title line.
#include <QCheckBox>
#include <QFileInfo>
#include <QLabel>
#include <QListWidget>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>

#include "platform/ui_services.h"
#include "program/forms.h"
#include "program/program_state.h"
#include "widgets/colour_box.h"
#include "widgets/file_details.h"
#include "widgets/find_in_list.h"
#include "widgets/list_look.h"
#include "windows/media/media_kind.h"
#include "windows/media/media_player_window.h"
#include "windows/media/media_type_chooser.h"

namespace {

// Hands every mouse press on a widget to a handler, which sees it before the widget does.
class MouseDownWatch : public QObject {
 public:
  MouseDownWatch(QWidget* watched, std::function<void(const QMouseEvent&)> onDown)
      : QObject(watched), onDown_(std::move(onDown)) {
    watched->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::MouseButtonPress) onDown_(*static_cast<QMouseEvent*>(event));
    return false;
  }

 private:
  std::function<void(const QMouseEvent&)> onDown_;
};

}  // namespace

void TForm4::connectListTools() {
  Finder = std::make_unique<FindInList>(program_.ui);
  Look = std::make_unique<ListLook>(program_.state.settings, *ListBox1, *Label1, false);
  RzColorComboBox1->setColour(colourFromSetting(program_.state.settings.Colour));
  handle(Button17, &QPushButton::clicked, &TForm4::Button17Click);
  handle(Button18, &QPushButton::clicked, &TForm4::Button18Click);
  handle(Button8, &QPushButton::clicked, &TForm4::Button8Click);
  handle(Button9, &QPushButton::clicked, &TForm4::Button9Click);
  handle(Button10, &QPushButton::clicked, &TForm4::Button10Click);
  handle(Button11, &QPushButton::clicked, &TForm4::Button11Click);
  handle(Button13, &QPushButton::clicked, &TForm4::Button13Click);
  handle(Button14, &QPushButton::clicked, &TForm4::Button14Click);
  handle(Button15, &QPushButton::clicked, &TForm4::Button15Click);
  handle(RzColorComboBox1, &ColourBox::colourChosen, &TForm4::RzColorComboBox1Change);
  handle(RzColorComboBox1, &ColourBox::closedUp, &TForm4::RzColorComboBox1CloseUp);
  new MouseDownWatch(ListBox1->viewport(), [this](const QMouseEvent& press) {
    guard([&] {
      if (press.button() == Qt::RightButton) highlightLineAt(press.position().toPoint());
      ListBox1MouseDown(press.button());
    });
  });
  new MouseDownWatch(Panel1, [this](const QMouseEvent& press) {
    guard([&] { Panel1MouseDown(press.button()); });
  });
  // Presses on controls that pass them on reach the client area too; only
  // those on the bare background are the window's own.
  new MouseDownWatch(client(), [this](const QMouseEvent& press) {
    if (!client()->childAt(press.position().toPoint()))
      guard([&] { FormMouseDown(press.button()); });
  });
}

void TForm4::Button17Click() { program_.forms.Form10->Open(); }

void TForm4::SubSelectApplied(int selectedCount) {
  SelectedCount = selectedCount;
  showSelectedCount(SelectedCount);
}

void TForm4::Button18Click() {
  Finder->Find(*ListBox1, [this](int row) {
    const QString lines = QString::number(LastIndex + 1);
    Label1->setText("Selected: " + lines + " - Current: " + QString::number(row + 1) + " of " +
                    lines);
    Sequence.followHighlight(row);
    if (!Lines.ticked(row)) {
      setTicked(row, true);
      showSelectedCount(++SelectedCount);
    }
    CurrentTitle = ListBox1->item(row)->text();
    CurrentFileName = CurrentTitle;
  });
}

QString TForm4::highlightedLine() const {
  const int row = ListBox1->currentRow();
  return row < 0 ? QString() : ListBox1->item(row)->text();
}

// The list would move its highlight to the line under a right click only after
// the details were shown; the line pointed at is the one described. Asking
// about a line is no click: the play cursor stays where it is.
void TForm4::highlightLineAt(const QPoint& point) {
  QListWidgetItem* item = ListBox1->itemAt(point);
  if (SearchRunning || !item || ListBox1->row(item) == ListBox1->currentRow()) return;
  ListBox1->setCurrentItem(item);
  takeLineNames(ListBox1->row(item));
}

void TForm4::ListBox1MouseDown(Qt::MouseButton button) {
  if (SearchRunning || ListBox1->currentRow() < 0) return;
  DetailsFileName = highlightedLine();
  describeDetailsFile(button);
}

// With lines but none highlighted, the details fall back on the current file.
void TForm4::FormMouseDown(Qt::MouseButton button) {
  if (SearchRunning) return;
  if (ListBox1->count() > 0) DetailsFileName = highlightedLine();
  describeDetailsFile(button);
}

void TForm4::Panel1MouseDown(Qt::MouseButton button) {
  DetailsFileName = highlightedLine();
  describeDetailsFile(button);
}

// A line of a searched or loaded list names its file; otherwise the current
// file does, and the play list is not mentioned.
void TForm4::describeDetailsFile(Qt::MouseButton button) {
  const bool lineNamesFile = NamesFromList && !DetailsFileName.isEmpty();
  if (!lineNamesFile) {
    if (CurrentFileName.isEmpty()) return;
    DetailsFileName = CurrentFileName;
  }
  if (button == Qt::RightButton) showFileDetails(DetailsFileName, lineNamesFile);
  // The window steps back for a video's own window only while there is one.
  if (isVideo(DetailsFileName) && Sequence.videoWindow() != VideoWindow::None) arrangeAroundVideo();
}

void TForm4::FileDetailsFromFullScreen() {
  const QString file = highlightedLine();
  if (!file.isEmpty()) showFileDetails(file, true);
}

// A line shows its file's path in lower case; the file's own name may not be.
QString TForm4::realPathOf(const QString& name) const {
  for (int row = 0; row < Lines.count(); ++row)
    if (Lines.line(row).text == name) return Lines.line(row).path;
  return name;
}

void TForm4::showFileDetails(const QString& name, bool withPlayListLine) {
  const QString path = realPathOf(name);
  if (!QFileInfo(path).isFile()) {
    program_.ui.messageDlg(MessageKind::Error, "Cannot find the file:\r\r" + name);
    return;
  }
  QString text;
  if (withPlayListLine && PlayListInUse && !PlayListName.isEmpty())
    text = listFileInUseText("Play List: ", PlayListName);
  text += fileFactsText(name, path, MidnightTime::LeftOut);
  program_.ui.messageDlg(MessageKind::Information, text);
}

// Each look button applies at once, and a filled list keeps its room to scroll sideways.
void TForm4::applyLook(void (ListLook::*look)()) {
  ((*Look).*look)();
  if (ListBox1->count() > 0) setExtent(3000);
}

void TForm4::Button8Click() { applyLook(&ListLook::Smaller); }

void TForm4::Button9Click() { applyLook(&ListLook::Larger); }

void TForm4::Button10Click() { applyLook(&ListLook::Normal); }

void TForm4::Button11Click() { applyLook(&ListLook::Bold); }

void TForm4::Button13Click() {
  applyLook(&ListLook::Default);
  RzColorComboBox1->setColour(colourFromSetting(ListLook::DefaultColour));
}

void TForm4::Button14Click() { applyLook(&ListLook::Min); }

void TForm4::Button15Click() { applyLook(&ListLook::Max); }

void TForm4::RzColorComboBox1Change() {
  Look->setColour(RzColorComboBox1->colour());
  RzColorComboBox1CloseUp();
}

void TForm4::RzColorComboBox1CloseUp() {
  if (Button1->isEnabled()) Button1->setFocus();
}

// The picker follows the colour the stored look ends with.
void TForm4::ApplyLookAtActivation() {
  Look->applySettings();
  RzColorComboBox1->setColour(colourFromSetting(program_.state.settings.Colour));
}
