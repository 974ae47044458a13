#include "cd/cd_player_window.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

#include "app/artwork.h"
#include "app/media_device/media_device_factory.h"
#include "app/program_state.h"
#include "app/settings_store.h"
#include "app/timer.h"
#include "app/ui_services.h"
#include "app/window_set/forms.h"
#include "app/windows/about_window.h"
#include "app/windows/system_status_window.h"
#include "platform/instance_marker.h"
#include "platform/platform_services.h"

TForm1::TForm1(Program& program) : Form(program, "Corvela Pro - CD Player", QSize(503, 365)) {
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  setWindowIcon(discPicture(64));
  MediaPlayer1 = program.devices.create(DeviceType::CdAudio);
  Timer1 = new Timer(this, 100);
  Timer2 = new Timer(this, 3000);
  createControls();
  createMenus();
  connectHandlers();
  exposeToAccessibility();
  FormCreate();
  centreOnScreen();
}

// Releases the running-copy marker, so the next start finds none.
TForm1::~TForm1() { program_.platform.instanceMarker.release(); }

void TForm1::connectHandlers() {
  connect(ComboBox1, &QComboBox::activated, this, &TForm1::ComboBox1Change);
  connect(Button7, &QPushButton::clicked, this, &TForm1::Button7Click);
  connect(LoadCD1, &QAction::triggered, this, &TForm1::LoadCD1Click);
  connect(Button8, &QPushButton::clicked, this, &TForm1::Button8Click);
  connect(Button9, &QPushButton::clicked, this, &TForm1::Button9Click);
  connect(Button10, &QPushButton::clicked, this, &TForm1::Button10Click);
  connect(Button11, &QPushButton::clicked, this, &TForm1::Button11Click);
  connect(CheckBox2, &QCheckBox::toggled, this, &TForm1::CheckBox2Click);
  connect(CheckBox4, &QCheckBox::toggled, this, &TForm1::CheckBox4Click);
  connect(DisplayRandomTracks1, &QAction::triggered, this, &TForm1::DisplayRandomTracks1Click);
  connect(DisplayAsSelectedTracks1, &QAction::triggered, this,
          &TForm1::DisplayAsSelectedTracks1Click);
  connect(Button1, &QPushButton::clicked, this, [this] { Button1Click(Button1); });
  connect(Button2, &QPushButton::clicked, this, [this] { Button2Click(Button2); });
  connect(Button3, &QPushButton::clicked, this, &TForm1::Button3Click);
  connect(Button4, &QPushButton::clicked, this, &TForm1::Button4Click);
  connect(Button5, &QPushButton::clicked, this, &TForm1::Button5Click);
  connect(TrackBar1, &QSlider::valueChanged, this, &TForm1::TrackBar1Change);
  connect(Button14, &QPushButton::clicked, this, &TForm1::Button14Click);
  connect(IntroScan, &QPushButton::clicked, this, &TForm1::IntroScanClick);
  connect(RadioButton1, &QRadioButton::toggled, this, [this](bool on) {
    if (on) RadioButton1Click();
  });
  connect(RadioButton2, &QRadioButton::toggled, this, [this](bool on) {
    if (on) RadioButton2Click();
  });
  connect(CheckBox1, &QCheckBox::toggled, this, &TForm1::CheckBox1Click);
  CheckBox2->installEventFilter(this);
  CheckBox4->installEventFilter(this);
  Timer1->onTimer([this] { Timer1Timer(); });
  MediaPlayer1->onNotify([this](NotifyResult) { MediaPlayer1Notify(); });
  connect(BitBtn1, &QPushButton::clicked, this, &TForm1::BitBtn1Click);
  connect(Exit1, &QAction::triggered, this, &TForm1::Exit1Click);
  connect(SystemStatus2, &QAction::triggered, this, &TForm1::SystemStatus2Click);
  connect(About2, &QAction::triggered, this, &TForm1::About2Click);
  connect(HideToolTips1, &QAction::triggered, this, &TForm1::HideToolTips1Click);
  connect(ToolTipsOn1, &QAction::triggered, this, &TForm1::ToolTipsOn1Click);
  connect(Defaultallsettings1, &QAction::triggered, this, &TForm1::Defaultallsettings1Click);
  connect(TurnreminderON1, &QAction::triggered, this, &TForm1::TurnreminderON1Click);
  connect(TurNreminderOFF1, &QAction::triggered, this, &TForm1::TurNreminderOFF1Click);
  Timer2->onTimer([this] { Timer2Timer(); });
  connect(CheckBox3, &QCheckBox::toggled, this, &TForm1::CheckBox3Click);
  connect(SetStatusChecking1, &QAction::triggered, this, &TForm1::SetStatusChecking1Click);
  connect(Button13, &QPushButton::clicked, this, &TForm1::Button13Click);
  connect(PlayaSingleCDTrack1, &QAction::triggered, this, &TForm1::PlayaSingleCDTrack1Click);
}

bool TForm1::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress) {
    const Qt::MouseButton button = static_cast<QMouseEvent*>(event)->button();
    if (watched == CheckBox2) CheckBox2MouseDown(button);
    if (watched == CheckBox4) CheckBox4MouseDown(button);
  }
  return Form::eventFilter(watched, event);
}

void TForm1::SystemStatus2Click() { program_.ui.showModal(program_.forms.Form2.get()); }

void TForm1::About2Click() { program_.ui.showModal(program_.forms.Form3.get()); }

void TForm1::applyToolTips(bool on) {
  program_.ui.setHintsEnabled(on);
  ToolTipsOn1->setEnabled(!on);
  HideToolTips1->setEnabled(on);
}

void TForm1::HideToolTips1Click() {
  applyToolTips(false);
  program_.state.settings.Tips = 0;
}

void TForm1::ToolTipsOn1Click() {
  applyToolTips(true);
  program_.state.settings.Tips = 1;
}

void TForm1::Defaultallsettings1Click() {
  Settings& settings = program_.state.settings;
  applyMenuDefaults(settings);

  TurnreminderON1->setEnabled(true);
  TurNreminderOFF1->setEnabled(false);
  applyToolTips(false);
  RadioButton2->setChecked(true);
  CheckBox1->setChecked(true);
  CheckBox2->setChecked(false);
  CheckBox4->setChecked(false);

  settings.CurrentStatus = settings.Status;
  program_.ui.messageDlg(MessageKind::Information, "OK...now at default settings...");
}

void TForm1::TurnreminderON1Click() { setReminder(true); }

void TForm1::TurNreminderOFF1Click() { setReminder(false); }

void TForm1::setReminder(bool on) {
  program_.state.settings.Reminder = on;
  TurnreminderON1->setEnabled(!on);
  TurNreminderOFF1->setEnabled(on);
  program_.ui.messageDlg(MessageKind::Information,
                         on ? "OK..reminder turned ON" : "OK..reminder turned OFF");
}

void TForm1::saveWithActive(bool active) {
  program_.state.settings.Active = active;
  program_.store.SaveSettings();
}
