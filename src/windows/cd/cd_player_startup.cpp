// The CD player window's creation: the program's start-up checks and the
// window's state without a disc.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QToolTip>

#include "platform/display_configuration.h"
#include "platform/instance_marker.h"
#include "platform/platform_services.h"
#include "platform/process_control.h"
#include "platform/timer.h"
#include "platform/ui_services.h"
#include "platform/window_finder.h"
#include "program/forms.h"
#include "program/program_state.h"
#include "program/settings_store.h"
#include "services/media_device/media_device_factory.h"
#include "windows/cd/cd_player_window.h"
#include "windows/cd/reminder_dialog.h"

namespace {

const char* const kLargeFontsMessage =
    "Sorry, Corvela Pro cannot run with \"Large Fonts\" setting.\r\rIf you wish to run Corvela "
    "Pro, you must go to \"Display Properties\"\r(to get there, right click on the desktop and "
    "take the \"Properties\" option) then click the tab called \"Settings\" and change \"Font "
    "Size\" to \"Small Fonts\".";

}  // namespace

void TForm1::FormCreate() {
  Settings& settings = program_.state.settings;
  program_.store.LoadSettings();
  claimSingleInstance();
  closeRivalMediaPlayer();
  closeRivalCdPlayer();
  refuseLargeFonts();
  saveWithActive(true);
  ProgramDirectory = QCoreApplication::applicationDirPath() + "/";
  program_.store.LoadSettings();

  FirstActivation = true;
  settings.CurrentStatus = settings.Status;
  setTimerIntervals();
  Timer1->setEnabled(false);
  Timer2->setEnabled(false);

  showNoDiscState();
  applySettingsToControls();
  QPalette tips = QToolTip::palette();
  tips.setColor(QPalette::ToolTipBase, Qt::yellow);
  QToolTip::setPalette(tips);
  fillDriveList();
  disableDiscCommands();
  program_.ui.setApplicationTitle("CD not yet loaded");
}

void TForm1::claimSingleInstance() {
  InstanceMarker& marker = program_.platform.instanceMarker;
  if (marker.exists() && marker.runningCopyAnswers()) {
    program_.ui.messageDlg(MessageKind::Warning,
                           "Corvela Pro is already running!\r\rOnly one instance of Corvela Pro is "
                           "permitted.\r\rWe will now switch to the \"running\" copy.");
    saveWithActive(false);
    marker.askRunningCopyToActivate();
    program_.platform.process.halt(0);
  }
  marker.claim([this] { ActivateRequested(); });
}

void TForm1::ActivateRequested() { program_.windows.restoreMainWindow(); }

void TForm1::closeRivalMediaPlayer() {
  WindowFinder& windows = program_.platform.windowFinder;
  const bool mediaPlayer2 = windows.exists("MEDIA PLAYER 2");
  if (!mediaPlayer2 && !windows.exists("MPLAYER")) return;
  program_.ui.messageDlg(
      MessageKind::Warning,
      "The Windows Media Player is running.\r\rCorvela Pro will now close it down.");
  saveWithActive(false);
  windows.askToClose(mediaPlayer2 ? "MEDIA PLAYER 2" : "MPLAYER");
}

void TForm1::closeRivalCdPlayer() {
  if (!program_.platform.windowFinder.exists("SJE_CDPLAYERCLASS")) return;
  saveWithActive(false);
  warnAndCloseRivalCdPlayerIfRunning();
}

// Two tests: the desktop's font resolution setting (the program ends at once),
// and, only where that is unset, the screen's (start-up completes, then the
// program ends).
void TForm1::refuseLargeFonts() {
  const DisplayConfiguration& display = program_.platform.display;
  const std::optional<QString> dpi = display.dpiLogicalX();
  if (dpi == "120") program_.ui.messageDlg(MessageKind::Error, kLargeFontsMessage);
  program_.state.settings.Active = false;
  if (!dpi || *dpi == "120") program_.platform.process.halt(0);
  if (!dpi->isEmpty()) return;

  const std::optional<int> logPixels = display.logPixels();
  if (logPixels == 120) program_.ui.messageDlg(MessageKind::Error, kLargeFontsMessage);
  program_.state.settings.Active = false;
  if (logPixels == 120) program_.ui.terminate();
}

void TForm1::setTimerIntervals() {
  const int status = program_.state.settings.Status;
  Timer1->setInterval(status != 0 ? status * 1000 : 100);
  Timer2->setInterval(status != 0 ? status * 1000 : 3000);
}

void TForm1::showNoDiscState() {
  ProgramState& state = program_.state;
  state.ReturnedToCdPlayer = false;
  state.DiscLoaded = false;
  state.RandomUsedThisRun = false;
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
}

void TForm1::applySettingsToControls() {
  const Settings& settings = program_.state.settings;
  applyToolTips(settings.Tips != 0);
  (settings.Time != 0 ? RadioButton1 : RadioButton2)->setChecked(true);
  CheckBox1->setChecked(settings.Icon == 0);
  TurnreminderON1->setEnabled(!settings.Reminder);
  TurNreminderOFF1->setEnabled(settings.Reminder);
}

void TForm1::fillDriveList() {
  ComboBox1->addItems(program_.devices.cdDriveList());
  const int stored = program_.state.settings.CDDrive;
  const int count = ComboBox1->count();
  ComboBox1->setCurrentIndex(count < 2 || stored < 0 || stored >= count ? 0 : stored);
  DeviceName = count > 0 ? cdDriveName(ComboBox1->currentText()) : QString();
}

void TForm1::disableDiscCommands() {
  for (QWidget* control :
       std::initializer_list<QWidget*>{Button9, Button10, Button13, CheckBox2, CheckBox4, Button1,
                                       Button11, Button2, Button3, Button4, Button5, Button8})
    control->setEnabled(false);
  PlayaSingleCDTrack1->setEnabled(false);
}

void TForm1::FormActivate() {
  program_.state.WebVisitInProgress = false;
  (program_.state.settings.Time != 0 ? RadioButton1 : RadioButton2)->setChecked(true);
  if (program_.state.settings.Reminder && FirstActivation) {
    FirstActivation = false;
    program_.ui.showModal(program_.forms.Form7.get());
  }
}
