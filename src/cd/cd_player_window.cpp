#include "cd/cd_player_window.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>

#include "app/program_state.h"
#include "app/settings_store.h"
#include "app/timer.h"
#include "app/ui_services.h"

TForm1::TForm1(Program& program) : Form(program, "Corvela Pro - CD Player", QSize(503, 365)) {
  Timer1 = new Timer(this, 100);
  Timer2 = new Timer(this, 3000);
  createControls();
  createMenus();
  connectHandlers();
  exposeToAccessibility();
  FormCreate();
  centreOnScreen();
}

void TForm1::connectHandlers() {
  connect(HideToolTips1, &QAction::triggered, this, &TForm1::HideToolTips1Click);
  connect(ToolTipsOn1, &QAction::triggered, this, &TForm1::ToolTipsOn1Click);
  connect(Defaultallsettings1, &QAction::triggered, this, &TForm1::Defaultallsettings1Click);
}

void TForm1::FormCreate() {
  Settings& settings = program_.state.settings;
  program_.store.LoadSettings();

  settings.Active = true;
  program_.store.SaveSettings();
  program_.store.LoadSettings();

  FirstActivation = true;
  settings.CurrentStatus = settings.Status;
  Timer1->setInterval(settings.Status != 0 ? settings.Status * 1000 : 100);
  Timer2->setInterval(settings.Status != 0 ? settings.Status * 1000 : 3000);
  Timer1->setEnabled(false);
  Timer2->setEnabled(false);

  // No disc loaded.
  Image1->show();
  Label1->hide();
  for (QLabel* heading : {Label5, Label6, Label7}) heading->hide();
  CheckBox3->setEnabled(false);
  DisplayRandomTracks1->setEnabled(false);
  DisplayAsSelectedTracks1->setEnabled(false);
  TrackBar1->hide();
  Button14->hide();
  Gauge1->hide();
  Button12->show();

  applySettingsToControls();

  for (QWidget* control : std::initializer_list<QWidget*>{Button9, Button10, Button13, CheckBox2,
                                                           CheckBox4, Button1, Button11, Button2,
                                                           Button3, Button4, Button5, Button8})
    control->setEnabled(false);
  PlayaSingleCDTrack1->setEnabled(false);
  program_.ui.setApplicationTitle("CD not yet loaded");
}

void TForm1::applySettingsToControls() {
  const Settings& settings = program_.state.settings;
  applyToolTips(settings.Tips != 0);
  (settings.Time != 0 ? RadioButton1 : RadioButton2)->setChecked(true);
  CheckBox1->setChecked(settings.Icon == 0);
  TurnreminderON1->setEnabled(!settings.Reminder);
  TurNreminderOFF1->setEnabled(settings.Reminder);
}

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
