#include "windows/viewer/graphics_viewer_window.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

#include "platform/ui_services.h"
#include "program/clipboard_question.h"
#include "program/forms.h"
#include "program/program_state.h"
#include "services/files/list_widget_lines.h"
#include "services/files/list_window_kind.h"
#include "widgets/colour_box.h"
#include "widgets/drive_box.h"
#include "widgets/find_in_list.h"
#include "widgets/list_drops.h"
#include "widgets/list_look.h"
#include "windows/viewer/picture_area.h"
#include "windows/viewer/slide_clock.h"

TForm9::TForm9(Program& program)
    : Form(program, "Corvela Pro Graphics Viewer", QSize(521, 389)),
      Finder(std::make_unique<FindInList>(program.ui)),
      systemClock_(std::make_unique<SystemSlideClock>()),
      clock_(systemClock_.get()) {
  createControls();
  createMenus();
  createPictureMenu();
  lines_ = std::make_unique<ListWidgetLines>(*ListBox1);
  Pictures = std::make_unique<PictureWalk>(*lines_);
  Look = std::make_unique<ListLook>(program.state.settings, *ListBox1, *Label1, true);
  RzColorComboBox1->setColour(colourFromSetting(program.state.settings.Colour));
  RzColorComboBox1->hide();
  connectHandlers();
  centreOnScreen();
  exposeToAccessibility();
}

TForm9::~TForm9() = default;

void TForm9::connectHandlers() {
  connectSwitching();
  connectClipboardAndPrint();
  handle(Button1, &QPushButton::clicked, &TForm9::Button1Click);
  new ListDrops(
      *this, FileTypes(graphicsViewerLists().openTypes),
      [this] { return Button1->isEnabled() && !Button1->isHidden(); },
      [this](const QStringList& files) { guard([this, &files] { FillWithFiles(files); }); });
  handle(DisplayListOFF1, &QAction::triggered, &TForm9::DisplayListOFF1Click);
  handle(SaveDisplayList1, &QAction::triggered, &TForm9::SaveDisplayList1Click);
  handle(Button5, &QPushButton::clicked, &TForm9::Button5Click);
  handle(ComboBox1, &QComboBox::currentTextChanged, &TForm9::ComboBox1Change);
  handle(DriveComboBox1, &QComboBox::currentTextChanged, &TForm9::DriveComboBox1Change);
  handle(ListBox1, &QListWidget::itemClicked, &TForm9::ListBox1Click);
  handle(ListBox1, &QListWidget::itemDoubleClicked, &TForm9::ListBox1DblClick);
  handle(ListBox1, &QListWidget::itemChanged, &TForm9::ListBox1TickChanged);
  handle(Button19, &QPushButton::clicked, &TForm9::Button19Click);
  handle(Button17, &QPushButton::clicked, &TForm9::Button17Click);
  handle(Button2, &QPushButton::clicked, [this] { Button2Click(Button2); });
  handle(Button6, &QPushButton::clicked, &TForm9::Button6Click);
  handle(Button7, &QPushButton::clicked, &TForm9::Button7Click);
  handle(Button12, &QPushButton::clicked, &TForm9::Button12Click);
  handle(CheckBox3, &QCheckBox::toggled, &TForm9::CheckBox3Click);
  handle(CheckBox2, &QCheckBox::toggled, &TForm9::CheckBox2Click);
  handle(CheckBox1, &QCheckBox::toggled, &TForm9::CheckBox1Click);
  for (QRadioButton* size : {OriginalSize, FitWindow, FillScreen})
    handle(size, &QRadioButton::toggled, [this](bool chosen) {
      if (chosen) guard([this] { RadioGroup1Click(); });
    });
  connectPopupMenu();
  handle(Button16, &QPushButton::clicked, [this] { update(); });
  handle(BitBtn1, &QPushButton::clicked, [this] { close(); });
  handle(Exit2, &QAction::triggered, [this] { close(); });
  handle(Button10, &QPushButton::clicked, [this] { Look->Normal(); });
  handle(Button11, &QPushButton::clicked, [this] { Look->Bold(); });
  handle(Button13, &QPushButton::clicked, [this] {
    Look->Default();
    RzColorComboBox1->setColour(colourFromSetting(ListLook::DefaultColour));
  });
  handle(Button14, &QPushButton::clicked, [this] { Look->Min(); });
  handle(Button15, &QPushButton::clicked, [this] { Look->Max(); });
  handle(Button8, &QPushButton::clicked, [this] { Look->Smaller(); });
  handle(Button9, &QPushButton::clicked, [this] { Look->Larger(); });
  handle(RzColorComboBox1, &ColourBox::colourChosen, &TForm9::RzColorComboBox1Change);
  handle(RzColorComboBox1, &ColourBox::closedUp, [this] {
    if (Button2->isEnabled()) Button2->setFocus();
  });
  handle(Edit1, &QLineEdit::textChanged, &TForm9::Edit1Change);
  handle(TrackBar1, &QSlider::valueChanged, &TForm9::TrackBar1Change);
  // The window sees keys, focus changes and right clicks before its controls,
  // and the keys that reach it itself when no control has the focus (as
  // when a picture fills it and every control is hidden).
  for (QWidget* control : findChildren<QWidget*>()) control->installEventFilter(this);
  installEventFilter(this);
}

void TForm9::connectPopupMenu() {
  handle(PopupMenu1, &QMenu::aboutToShow, &TForm9::PopupMenu1Popup);
  handle(Next1, &QAction::triggered, &TForm9::Next1Click);
  handle(Previous1, &QAction::triggered, &TForm9::Previous1Click);
  handle(FileDetails1, &QAction::triggered, &TForm9::FileDetails1Click);
  handle(Exit1, &QAction::triggered, &TForm9::Exit1Click);
  handle(SlideShowOn1, &QAction::triggered, &TForm9::SlideShowOn1Click);
  handle(Cancel1, &QAction::triggered, &TForm9::Cancel1Click);
}

void TForm9::FormActivate() {
  UiServices& ui = program_.ui;
  ui.setApplicationTitle("Graphics Viewer");
  Pictures->SlideDelay = program_.state.settings.Delay;
  Edit1->setText(QString::number(Pictures->SlideDelay));
  const bool compact = Pictures->CompactMode;
  const bool listShown = !ListBox1->isHidden();
  if (listShown) {
    Panel3->show();
    Panel4->hide();
  } else {
    Edit1->setEnabled(false);
    SaveDisplayList1->setEnabled(false);
    CopyCtlC1->setEnabled(false);
    Panel3->hide();
    Panel4->setVisible(!compact);
  }
  setFindCaption();
  if (!compact) CheckBox1->setEnabled(false);
  // Only the list view's size is one to return to: a box closing over a
  // picture shown full screen must not make full screen the list's size.
  if (!compact && !Pictures->pictureShown()) {
    SavedWidth = client()->width();
    SavedHeight = client()->height();
  }
  if (listShown) {
    makeHighlightedLineCurrent();
    SaveDisplayList1->setEnabled(true);
  }
  if (Pictures->TvLook) {
    FitWindow->setChecked(true);
    OriginalSize->setEnabled(false);
    FillScreen->setEnabled(false);
  }
  if (!typeBoxFilled_) {
    ComboBox1->addItems({"BMP", "FIF", "ICO", "JPG", "WMF", "ALL"});
    typeBoxFilled_ = true;
  }
  Look->applySettings();
}

bool TForm9::FormKeyPress(int key) {
  if (SkipNextKey) {
    SkipNextKey = false;
    return false;
  }
  if (key != Qt::Key_Escape || ListBox1->count() == 0 || !ListBox1->isHidden()) return false;
  endDisplayFromKeyOrPopup();
  return true;
}

bool TForm9::FormEventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::KeyPress: {
      const auto* press = static_cast<QKeyEvent*>(event);
      const int key = press->key();
      // A key its control leaves goes on to the control's parents: the
      // window has seen it already.
      if (keyPassedUp(press, static_cast<QWidget*>(watched))) break;
      // The list keeps its lines to itself: copying works on pictures only.
      if (watched == ListBox1 && press->matches(QKeySequence::Copy)) return true;
      if (FormKeyDown(key, press->modifiers())) return true;
      if (FormKeyPress(key)) return true;
      if (watched == ListBox1) ListBox1KeyPress(key);
      if (watched == Button5 && key == Qt::Key_Escape) SearchAbortRequested = true;
      break;
    }
    case QEvent::MouseButtonPress: {
      const Qt::MouseButton button = static_cast<QMouseEvent*>(event)->button();
      if (watched == Image1) Image1MouseDown(button);
      if (watched == Label2 && button == Qt::LeftButton) Label2Click();
      if (button != Qt::RightButton) break;
      if (watched == Button1) Button1RightClick();
      if (watched == ListBox1->viewport()) ListBox1RightClick();
      if (watched == client() || watched == Panel1) BackgroundRightClick();
      break;
    }
    case QEvent::MouseButtonDblClick:
      if (watched == Image1) Image1DblClick();
      break;
    case QEvent::FocusOut:
      if (watched == ComboBox1) ComboBox1Exit();
      if (watched == Edit1) Edit1Exit();
      break;
    default:
      break;
  }
  return false;
}

// A passed-up key is the same event going to a parent; a new key may reuse
// the event's memory, but not its time, nor come to the same receiver again
// (keys typed by a program may share their time).
bool TForm9::keyPassedUp(const QKeyEvent* press, QWidget* watched) {
  const bool passedUp = press == lastKey_ && press->timestamp() == lastKeyTime_ &&
                        lastKeyReceiver_ && watched != lastKeyReceiver_ &&
                        watched->isAncestorOf(lastKeyReceiver_);
  lastKey_ = press;
  lastKeyTime_ = press->timestamp();
  lastKeyReceiver_ = watched;
  return passedUp;
}

bool TForm9::FormCloseQuery() {
  AskToEmptyClipboard(program_.state, program_.ui);
  return true;
}

SelectionLines& TForm9::selectionLines() { return *lines_; }

QString TForm9::typeKey() const { return ComboBox1->currentText(); }

void TForm9::stopSearchAnimation() { Animate1->hide(); }

void TForm9::disableListControls() {
  for (QWidget* control : std::initializer_list<QWidget*>{Button2, Button6, Button7, CheckBox2})
    control->setEnabled(false);
  SaveDisplayList1->setEnabled(false);
  Button19->setEnabled(false);
}

void TForm9::resetControlsWithoutList() {
  ListBox1->clear();
  ListBox1->hide();
  setIdleControls();
  SearchRunning = false;
}

void TForm9::focusWindow() { activateWindow(); }

void TForm9::disableSaveListCommand() { SaveDisplayList1->setEnabled(false); }

void TForm9::ApplyDefaultSettings() {
  Look->showColour(colourFromSetting(ListLook::DefaultColour));
  if (isVisible()) RzColorComboBox1->setColour(colourFromSetting(ListLook::DefaultColour));
  Edit1->setText("4");
}
