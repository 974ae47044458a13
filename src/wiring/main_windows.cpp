// What the main windows ask of one another, answered by the window that knows.

#include "program/forms.h"
#include "windows/cd/cd_player_window.h"
#include "windows/media/media_player_window.h"
#include "windows/viewer/graphics_viewer_window.h"

void Forms::showMediaPlayer() { Form4->show(); }

void Forms::showGraphicsViewer() { Form9->show(); }

void Forms::returnToCdPlayer(QWidget* handingWindow, bool disableTracksToo) {
  Form1->ReturnFrom(handingWindow, disableTracksToo);
}

void Forms::cdGivesWayToMediaPlayer() { Form1->GiveWayToMediaPlayer(); }

void Forms::cdStopsForViewerClose() { Form1->StopForViewerClose(); }

void Forms::endRun() { Form1->EndRun(); }

void Forms::helpContents() { Form1->Contents1Click(); }

void Forms::helpKeywordSearch() { Form1->KeywordSearch1Click(); }

void Forms::toolTips(bool on) { on ? Form1->ToolTipsOn1Click() : Form1->HideToolTips1Click(); }

void Forms::defaultAllSettings() { Form1->Defaultallsettings1Click(); }

void Forms::mediaPlayerToolTips(bool on) { Form4->applyToolTips(on); }

void Forms::listWindowsToDefaults() {
  Form4->ApplyDefaultSettings();
  Form9->ApplyDefaultSettings();
}

QString Forms::mediaTitle() const { return Form4->Sequence.title(); }

QString Forms::mediaFileOpen() const { return Form4->Sequence.fileHeld(); }

std::optional<int> Forms::cdTrackPlaying() const { return Form1->Playback.trackPlaying(); }

bool Forms::soundPlaying() const {
  return Form4->Sequence.sounding() || Form1->Playback.sounding();
}
