#include "windows/media/media_player_window.h"

#include "services/mpeg/mpeg_player.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

#include "platform/timer.h"
#include "platform/ui_services.h"
#include "program/forms.h"
#include "program/program_state.h"
#include "services/files/drive_search.h"
#include "services/files/list_files.h"
#include "services/files/list_window_kind.h"
#include "services/media_device/media_device_factory.h"
#include "widgets/colour_box.h"
#include "widgets/find_in_list.h"
#include "widgets/list_drops.h"
#include "widgets/list_look.h"
#include "windows/common/about_window.h"
#include "windows/common/system_status_window.h"

TForm4::TForm4(Program& program)
    : Form(program, "Corvela Pro AVI-MID-MPEG-WAV Player", QSize(503, 367)),
      ListBox1(new QListWidget(client())),
      Lines(*ListBox1),
      Sequence(Lines, program.devices.create(DeviceType::AutoSelect),
               std::make_unique<TMPEGPlayer>()),
      MediaPlayer1(&Sequence.device()),
      MPlayer1(&Sequence.mpeg()) {
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  Timer1 = new Timer(this, 1000);
  PlayLists = std::make_unique<ListFiles>(*this, mediaPlayerLists(), program.ui);
  Search = std::make_unique<DriveSearch>(*this, mediaPlayerLists(), program.ui);
  createControls();
  createMenus();
  connectHandlers();
  connectMenus();
  connectSwitching();
  connectListTools();
  connectPlayback();
  exposeToAccessibility();
  FormCreate();
  centreOnScreen();
}

TForm4::~TForm4() = default;

void TForm4::connectHandlers() {
  handle(Button12, &QPushButton::clicked, &TForm4::Button12Click);
  Button12->installEventFilter(this);
  new ListDrops(
      *this, FileTypes(mediaPlayerLists().openTypes),
      [this] { return Button12->isEnabled() && !Button12->isHidden(); },
      [this](const QStringList& files) { guard([this, &files] { FillWithFiles(files); }); });
  handle(Button6, &QPushButton::clicked, &TForm4::Button6Click);
  handle(ListBox1, &QListWidget::itemClicked, [this] { ListBox1Click(ListBox1); });
  handle(ListBox1, &QListWidget::itemDoubleClicked, [this] { ListBox1DblClick(ListBox1); });
  // Ticks the program sets are made with the list's signals blocked.
  handle(ListBox1, &QListWidget::itemChanged,
         [this](QListWidgetItem* item) { ListBox1Changing(ListBox1->row(item)); });
  ListBox1->installEventFilter(this);
  handle(Button1, &QPushButton::clicked, [this] { Button1Click(Button1); });
  handle(Button2, &QPushButton::clicked, [this] { Button2Click(Button2); });
  handle(BitBtn1, &QPushButton::clicked, &TForm4::BitBtn1Click);
  handle(RadioButton1, &QRadioButton::toggled, [this](bool on) {
    if (on) RadioButton1Click();
  });
  handle(RadioButton2, &QRadioButton::toggled, [this](bool on) {
    if (on) RadioButton2Click();
  });
  handle(RadioGroup1Elapsed, &QRadioButton::toggled, &TForm4::RadioGroup1Click);
}

void TForm4::connectMenus() {
  handle(SavePlayList2, &QAction::triggered, &TForm4::SavePlayList2Click);
  handle(Exit1, &QAction::triggered, &TForm4::Exit1Click);
  handle(SystemStatus1, &QAction::triggered, &TForm4::SystemStatus1Click);
  handle(HideToolTips1, &QAction::triggered, &TForm4::HideToolTips1Click);
  handle(ToolTipsOn1, &QAction::triggered, &TForm4::ToolTipsOn1Click);
  handle(Defaultallsettings1, &QAction::triggered, &TForm4::Defaultallsettings1Click);
  handle(Play1, &QAction::triggered, &TForm4::Play1Click);
  handle(About1, &QAction::triggered, &TForm4::About1Click);
}

bool TForm4::FormEventFilter(QObject* watched, QEvent* event) {
  if (watched == Button12 && event->type() == QEvent::MouseButtonPress)
    Button12MouseDown(static_cast<QMouseEvent*>(event)->button());
  if (watched == ListBox1 && event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    ListBox1KeyDown(key);
    // Enter plays instead of editing or activating the line.
    if (key == Qt::Key_Return || key == Qt::Key_Enter) return true;
    return moveHighlightByKey(event);
  }
  return false;
}

// A line highlighted from the keyboard is a line clicked: playback goes on from it.
bool TForm4::moveHighlightByKey(QEvent* event) {
  const int before = ListBox1->currentRow();
  static_cast<QObject*>(ListBox1)->event(event);
  if (ListBox1->currentRow() != before && ListBox1->currentRow() >= 0) ListBox1Click(ListBox1);
  // A key the list did not take goes on to the window as before.
  return event->isAccepted();
}

void TForm4::SystemStatus1Click() { program_.ui.showModal(program_.forms.Form2.get()); }

void TForm4::About1Click() { program_.ui.showModal(program_.forms.Form3.get()); }

void TForm4::applyToolTips(bool on) {
  ToolTipsOn1->setEnabled(!on);
  HideToolTips1->setEnabled(on);
}

// The CD player's commands turn the hints off or on program-wide, with both
// windows' menus and the setting.
void TForm4::HideToolTips1Click() { program_.windows.toolTips(false); }

void TForm4::ToolTipsOn1Click() { program_.windows.toolTips(true); }

// The CD player's command sets the values and brings every window in line.
void TForm4::Defaultallsettings1Click() { program_.windows.defaultAllSettings(); }

void TForm4::ApplyDefaultSettings() {
  applyToolTips(false);
  RadioGroup1Remaining->setChecked(true);
  // The list's own Default look: bold, 10 point, 16-pixel lines, blue.
  Look->Default();
  if (isVisible()) RzColorComboBox1->setColour(colourFromSetting(ListLook::DefaultColour));
  RadioButton2->setChecked(true);
}

QString TForm4::typeKey() const { return ComboBox1->currentText(); }

void TForm4::stopSearchAnimation() { Animate1->hide(); }

void TForm4::disableListControls() {
  setTransportEnabled(false);
  Button18->setEnabled(false);
  setLookControlsEnabled(false);
}

void TForm4::resetControlsWithoutList() {
  resetWithoutList();
  setSearchControlsEnabled(true);
}

void TForm4::focusWindow() {
  activateWindow();
  setFocus();
}

void TForm4::disableSaveListCommand() { SavePlayList2->setEnabled(false); }
