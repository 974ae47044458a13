// The graphics viewer hands over to the CD player and the media player, shares
// the program's status, About, help and web site commands, and ends the
// program when it closes.
#include <QAction>
#include <QCheckBox>
#include <QPushButton>

#include "platform/platform_services.h"
#include "platform/shell.h"
#include "platform/taskbar.h"
#include "platform/ui_services.h"
#include "program/forms.h"
#include "program/program_state.h"
#include "program/web_site.h"
#include "windows/common/about_window.h"
#include "windows/common/system_status_window.h"
#include "windows/viewer/graphics_viewer_window.h"

void TForm9::connectSwitching() {
  handle(Button3, &QPushButton::clicked, &TForm9::Button3Click);
  handle(ReturntoCDPlayer1, &QAction::triggered, &TForm9::ReturntoCDPlayer1Click);
  handle(Button4, &QPushButton::clicked, &TForm9::Button4Click);
  handle(PlayVideoMIDMPEGWAVfiles1, &QAction::triggered, &TForm9::PlayVideoMIDMPEGWAVfiles1Click);
  handle(SystemStatus1, &QAction::triggered, &TForm9::SystemStatus1Click);
  handle(About1, &QAction::triggered, &TForm9::About1Click);
  handle(Content1, &QAction::triggered, &TForm9::Content1Click);
  handle(KeywordSearch1, &QAction::triggered, &TForm9::KeywordSearch1Click);
  handle(VisitCorvelaProWebSite1, &QAction::triggered, &TForm9::VisitCorvelaProWebSite1Click);
}

void TForm9::Button3Click() {
  WindUpDisplay();
  program_.windows.returnToCdPlayer(this, true);
}

void TForm9::ReturntoCDPlayer1Click() { Button3Click(); }

void TForm9::Button4Click() {
  WindUpDisplay();
  program_.windows.cdGivesWayToMediaPlayer();
  program_.ui.setApplicationTitle("AVI-MID-MPEG-WAV Player");
  program_.windows.showMediaPlayer();
  hide();
}

void TForm9::PlayVideoMIDMPEGWAVfiles1Click() { Button4Click(); }

void TForm9::SystemStatus1Click() { program_.ui.showModal(program_.forms.Form2.get()); }

void TForm9::About1Click() { program_.ui.showModal(program_.forms.Form3.get()); }

void TForm9::Content1Click() { program_.windows.helpContents(); }

void TForm9::KeywordSearch1Click() { program_.windows.helpKeywordSearch(); }

void TForm9::VisitCorvelaProWebSite1Click() {
  Button12Click();
  program_.platform.shell.openUrl(kMakersWebSite);
  repaint();
}

void TForm9::FormClose() {
  WindUpDisplay();
  program_.windows.cdStopsForViewerClose();
  program_.platform.taskbar.show();
  CheckBox2->setChecked(false);
  Pictures->StopRequested = true;
  Pictures->SlideDelay = 0;
  program_.windows.endRun();
}
