// The media player hands over to the graphics viewer and the CD player, and
// offers the program's help and web site.
#include <QAction>
#include <QPushButton>

#include "platform/platform_services.h"
#include "platform/shell.h"
#include "platform/ui_services.h"
#include "program/forms.h"
#include "program/program_state.h"
#include "program/web_site.h"
#include "windows/media/media_player_window.h"

void TForm4::connectSwitching() {
  handle(Button16, &QPushButton::clicked, &TForm4::Button16Click);
  handle(DisplayGraphicFiles1, &QAction::triggered, &TForm4::DisplayGraphicFiles1Click);
  handle(Button7, &QPushButton::clicked, &TForm4::Button7Click);
  handle(ReturntoCDPlayer1, &QAction::triggered, &TForm4::ReturntoCDPlayer1Click);
  handle(Contents1, &QAction::triggered, &TForm4::Contents1Click);
  handle(KeywordSearch1, &QAction::triggered, &TForm4::KeywordSearch1Click);
  handle(VisitCorvelaProWebSite1, &QAction::triggered, &TForm4::VisitCorvelaProWebSite1Click);
}

void TForm4::Button16Click() { leaveForGraphics(Button16); }

void TForm4::DisplayGraphicFiles1Click() { leaveForGraphics(DisplayGraphicFiles1); }

void TForm4::leaveForGraphics(QObject* Sender) {
  WindUpPlaybackForGraphics(Sender);
  program_.windows.showGraphicsViewer();
  hide();
  program_.ui.setCursor(ScreenCursor::Normal);
}

void TForm4::Button7Click() { leaveForCdPlayer(Button7); }

void TForm4::ReturntoCDPlayer1Click() { leaveForCdPlayer(ReturntoCDPlayer1); }

void TForm4::leaveForCdPlayer(QObject* Sender) {
  WindUpPlaybackForCdPlayer(Sender);
  program_.windows.returnToCdPlayer(this, false);
}

void TForm4::Contents1Click() { program_.windows.helpContents(); }

void TForm4::KeywordSearch1Click() { program_.windows.helpKeywordSearch(); }

void TForm4::VisitCorvelaProWebSite1Click() {
  Button2Click(VisitCorvelaProWebSite1);
  program_.platform.shell.openUrl(kMakersWebSite);
  repaint();
}
