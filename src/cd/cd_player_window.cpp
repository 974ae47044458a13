#include "cd/cd_player_window.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QRadioButton>

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
  connect(BitBtn1, &QPushButton::clicked, this, &TForm1::BitBtn1Click);
  connect(Exit1, &QAction::triggered, this, &TForm1::Exit1Click);
  connect(SystemStatus2, &QAction::triggered, this, &TForm1::SystemStatus2Click);
  connect(About2, &QAction::triggered, this, &TForm1::About2Click);
  connect(HideToolTips1, &QAction::triggered, this, &TForm1::HideToolTips1Click);
  connect(ToolTipsOn1, &QAction::triggered, this, &TForm1::ToolTipsOn1Click);
  connect(Defaultallsettings1, &QAction::triggered, this, &TForm1::Defaultallsettings1Click);
  connect(TurnreminderON1, &QAction::triggered, this, &TForm1::TurnreminderON1Click);
  connect(TurNreminderOFF1, &QAction::triggered, this, &TForm1::TurNreminderOFF1Click);
}

void TForm1::ComboBox1Change() {
  DeviceName = cdDriveName(ComboBox1->currentText());
  program_.state.settings.CDDrive = ComboBox1->currentIndex();
  program_.store.SaveSettings();
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
