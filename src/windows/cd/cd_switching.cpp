// The CD player hands over to the media player and the graphics viewer, and
// takes over again with a check that the disc is still the one loaded; the
// help and web site commands.
#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>

#include "platform/help_viewer.h"
#include "platform/platform_services.h"
#include "platform/program_data.h"
#include "platform/shell.h"
#include "platform/timer.h"
#include "platform/ui_services.h"
#include "program/forms.h"
#include "program/program_state.h"
#include "program/web_site.h"
#include "windows/cd/cd_drive_checks.h"
#include "windows/cd/cd_player_window.h"
#include "windows/common/about_window.h"

void TForm1::Button12Click() {
  // The drive is let go without a stop: the disc plays on behind the media player.
  if (discLoaded()) MediaPlayer1->close();
  showMediaPlayer();
}

void TForm1::PlayVideoMIDMPEGWAVfiles1Click() {
  if (discLoaded()) Button2Click(PlayVideoMIDMPEGWAVfiles1);
  showMediaPlayer();
}

void TForm1::showMediaPlayer() {
  program_.ui.setApplicationTitle("AVI-MID-MPEG-WAV Player");
  Playback.Order.restartSelected();
  Timer1->setEnabled(false);
  Timer2->setEnabled(false);
  TrackBar1->hide();
  Button14->hide();
  clearTime();
  TrackBar1->setValue(0);
  Gauge1->setValue(0);
  program_.windows.showMediaPlayer();
  hide();
  program_.forms.Form3->hide();
}

void TForm1::DisplayGraphicFiles1Click() { Button6Click(); }

void TForm1::Button6Click() {
  UiServices& ui = program_.ui;
  ui.setCursor(ScreenCursor::HourGlass);
  if (discLoaded() &&
      (MediaPlayer1->mode() != DeviceMode::Playing ||
       ui.askYesNo("Corvela Pro", "Do you wish to leave your Audio CD selection(s) playing?") ==
           Answer::No)) {
    Playback.Order.restartSelected();
    Button2Click(Button6);
    // Closed already when the standard player has just handed the drive back.
    stopAndClose(*MediaPlayer1);
    Timer1->setEnabled(false);
    Timer2->setEnabled(false);
  }
  program_.windows.showGraphicsViewer();
  hide();
  ui.setCursor(ScreenCursor::Normal);
}

void TForm1::ReturnFrom(QWidget* handingWindow, bool disableTracksToo) {
  ProgramState& state = program_.state;
  UiServices& ui = program_.ui;
  ui.setCursor(ScreenCursor::HourGlass);
  state.ReturnedToCdPlayer = true;
  if (discLoaded()) {
    const std::uint32_t oldFingerprint = state.DiscFingerprint;
    try {
      MediaPlayer1->open(DeviceName);
    } catch (const MediaDeviceError& error) {
      ui.setCursor(ScreenCursor::Normal);
      ui.messageDlg(MessageKind::Error, QString::fromUtf8(error.what()));
      return;
    }
    ComputeDiscFingerprint();
    PlayaSingleCDTrack1->setEnabled(false);
    state.DiscChanged = false;
    if (state.DiscFingerprint != oldFingerprint) {
      for (QWidget* control :
           std::initializer_list<QWidget*>{CheckBox3, CheckBox2, Button2, Button8, Button9,
                                           Button10, Button13, Button1, Button3, Button4, Button5})
        control->setEnabled(false);
      if (disableTracksToo) Button11->setEnabled(false);
      state.DiscChanged = true;
    }
    if (!state.DiscEjected) Timer2->setEnabled(true);
  }
  ui.setApplicationTitle("CD Player");
  show();
  ui.setCursor(ScreenCursor::Normal);
  handingWindow->hide();
}

void TForm1::GiveWayToMediaPlayer() { letDiscGo(nullptr); }

void TForm1::StopForViewerClose() { letDiscGo(Button2); }

void TForm1::letDiscGo(QObject* Sender) {
  if (Label1->text().isEmpty()) return;
  Button2Click(Sender);
  MediaPlayer1->close();
  Timer1->setEnabled(false);
  Timer2->setEnabled(false);
}

void TForm1::Contents1Click() { showHelp(false); }

void TForm1::KeywordSearch1Click() { showHelp(true); }

// The help is found from the program's own folder, whatever the current one
// is; the current folder is left as it was.
void TForm1::showHelp(bool keywordSearch) {
  const QString remembered = QDir::currentPath();
  if (!QDir::setCurrent(ProgramDirectory)) {
    program_.ui.messageDlg(MessageKind::Error,
                           "Cannot change to the program's folder \"" + ProgramDirectory + "\".");
    return;
  }
  HelpViewer& help = program_.platform.help;
  const QString folder = programDataDirectory() + "/help";
  keywordSearch ? help.showKeywordSearch(folder) : help.showContents(folder);
  QDir::setCurrent(remembered);
}

void TForm1::VisitCorvelaProWebSite1Click() {
  program_.state.WebVisitInProgress = true;
  Button2Click(VisitCorvelaProWebSite1);
  program_.platform.shell.openUrl(kMakersWebSite);
  program_.state.WebVisitInProgress = false;
  repaint();
}
