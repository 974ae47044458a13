#include "windows/cd/cd_player_window.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QMouseEvent>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

#include "platform/artwork.h"
#include "platform/instance_marker.h"
#include "platform/platform_services.h"
#include "platform/timer.h"
#include "platform/ui_services.h"
#include "program/forms.h"
#include "program/program_state.h"
#include "program/settings_store.h"
#include "services/media_device/media_device_factory.h"
#include "windows/common/about_window.h"
#include "windows/common/system_status_window.h"

TForm1::TForm1(Program& program)
    : Form(program, "Corvela Pro - CD Player", QSize(503, 365)),
      Playback(program.devices.create(DeviceType::CdAudio)),
      MediaPlayer1(&Playback.device()) {
  setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                 Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
  setWindowIcon(discPicture(64));
  // Off until start-up sets them: start-up's message boxes must not see them tick.
  Timer1 = new Timer(this, 100);
  Timer2 = new Timer(this, 3000);
  Timer1->setEnabled(false);
  Timer2->setEnabled(false);
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
  handle(ComboBox1, &QComboBox::activated, &TForm1::ComboBox1Change);
  handle(Button7, &QPushButton::clicked, &TForm1::Button7Click);
  handle(LoadCD1, &QAction::triggered, &TForm1::LoadCD1Click);
  handle(OpenDiscImage1, &QAction::triggered, &TForm1::OpenDiscImage1Click);
  handle(Button8, &QPushButton::clicked, &TForm1::Button8Click);
  handle(Button9, &QPushButton::clicked, &TForm1::Button9Click);
  handle(Button10, &QPushButton::clicked, &TForm1::Button10Click);
  handle(Button11, &QPushButton::clicked, &TForm1::Button11Click);
  handle(CheckBox2, &QCheckBox::toggled, &TForm1::CheckBox2Click);
  handle(CheckBox4, &QCheckBox::toggled, &TForm1::CheckBox4Click);
  handle(DisplayRandomTracks1, &QAction::triggered, &TForm1::DisplayRandomTracks1Click);
  handle(DisplayAsSelectedTracks1, &QAction::triggered, &TForm1::DisplayAsSelectedTracks1Click);
  handle(Button1, &QPushButton::clicked, [this] { Button1Click(Button1); });
  handle(Button2, &QPushButton::clicked, [this] { Button2Click(Button2); });
  handle(Button3, &QPushButton::clicked, &TForm1::Button3Click);
  handle(Button4, &QPushButton::clicked, &TForm1::Button4Click);
  handle(Button5, &QPushButton::clicked, &TForm1::Button5Click);
  handle(TrackBar1, &QSlider::valueChanged, &TForm1::TrackBar1Change);
  handle(Button14, &QPushButton::clicked, &TForm1::Button14Click);
  handle(IntroScan, &QPushButton::clicked, &TForm1::IntroScanClick);
  handle(RadioButton1, &QRadioButton::toggled, [this] {
    if (RadioButton1->isChecked()) RadioButton1Click();
  });
  handle(RadioButton2, &QRadioButton::toggled, [this] {
    if (RadioButton2->isChecked()) RadioButton2Click();
  });
  handle(CheckBox1, &QCheckBox::toggled, &TForm1::CheckBox1Click);
  handle(Button12, &QPushButton::clicked, &TForm1::Button12Click);
  handle(PlayVideoMIDMPEGWAVfiles1, &QAction::triggered, &TForm1::PlayVideoMIDMPEGWAVfiles1Click);
  handle(Button6, &QPushButton::clicked, &TForm1::Button6Click);
  handle(DisplayGraphicFiles1, &QAction::triggered, &TForm1::DisplayGraphicFiles1Click);
  handle(Contents1, &QAction::triggered, &TForm1::Contents1Click);
  handle(KeywordSearch1, &QAction::triggered, &TForm1::KeywordSearch1Click);
  handle(VisitCorvelaProWebSite1, &QAction::triggered, &TForm1::VisitCorvelaProWebSite1Click);
  CheckBox2->installEventFilter(this);
  CheckBox4->installEventFilter(this);
  Timer1->onTimer([this] { guard([this] { Timer1Timer(); }); });
  MediaPlayer1->onNotify([this](NotifyResult) { guard([this] { MediaPlayer1Notify(); }); });
  handle(BitBtn1, &QPushButton::clicked, &TForm1::BitBtn1Click);
  handle(Exit1, &QAction::triggered, &TForm1::Exit1Click);
  handle(SystemStatus2, &QAction::triggered, &TForm1::SystemStatus2Click);
  handle(About2, &QAction::triggered, &TForm1::About2Click);
  handle(HideToolTips1, &QAction::triggered, &TForm1::HideToolTips1Click);
  handle(ToolTipsOn1, &QAction::triggered, &TForm1::ToolTipsOn1Click);
  handle(Defaultallsettings1, &QAction::triggered, &TForm1::Defaultallsettings1Click);
  handle(TurnreminderON1, &QAction::triggered, &TForm1::TurnreminderON1Click);
  handle(TurNreminderOFF1, &QAction::triggered, &TForm1::TurNreminderOFF1Click);
  Timer2->onTimer([this] { guard([this] { Timer2Timer(); }); });
  handle(CheckBox3, &QCheckBox::toggled, &TForm1::CheckBox3Click);
  handle(SetStatusChecking1, &QAction::triggered, &TForm1::SetStatusChecking1Click);
  handle(Button13, &QPushButton::clicked, &TForm1::Button13Click);
  handle(PlayaSingleCDTrack1, &QAction::triggered, &TForm1::PlayaSingleCDTrack1Click);
}

bool TForm1::FormEventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::MouseButtonPress) {
    const Qt::MouseButton button = static_cast<QMouseEvent*>(event)->button();
    if (watched == CheckBox2) CheckBox2MouseDown(button);
    if (watched == CheckBox4) CheckBox4MouseDown(button);
  }
  return false;
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
  program_.windows.mediaPlayerToolTips(false);
  program_.state.settings.Tips = 0;
}

void TForm1::ToolTipsOn1Click() {
  applyToolTips(true);
  program_.windows.mediaPlayerToolTips(true);
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
  program_.windows.listWindowsToDefaults();

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
