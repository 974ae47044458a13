#pragma once

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSlider>
#include <vector>

#include "platform/timer.h"
#include "program_fixture.h"
#include "services/media_device/disc_toc.h"
#include "windows/cd/cd_player_window.h"

// The CD player with a disc of the given track lengths in its (fake) drive.
struct CdPlayerFixture : ProgramFixture {
  explicit CdPlayerFixture(const std::vector<int>& trackSeconds,
                           const QString& volumeLabel = "Audio CD") {
    if (!trackSeconds.empty())
      devices.insertDisc("virtual", FakeMediaDeviceFactory::audioDisc(trackSeconds), volumeLabel);
    start();
    cd = forms().Form1.get();
  }

  void load() { cd->Button7Click(); }
  void tickOnly(std::initializer_list<int> tracks) {
    cd->Button10Click();
    for (int n : tracks) cd->TrackBoxes[n]->setChecked(true);
  }
  // Lets the clock run, ticking the display timer every 100 ms while it is on,
  // and notes each track that starts playing and each new title.
  void run(int milliseconds) {
    for (int elapsed = 0; elapsed < milliseconds; elapsed += 100) {
      devices.advance(100);
      if (cd->Timer1->Enabled()) cd->Timer1Timer();
      note();
    }
  }
  // A track starts when the track changes or the position goes back (the
  // same track again, as a new random order may begin with it).
  void note() {
    const Tmsf at = unpackTmsf(cd->MediaPlayer1->position());
    const int position = ((at.track * 100 + at.minutes) * 60 + at.seconds) * 75 + at.frames;
    if (cd->Playback.CurrentTrack != 0 &&
        (played.empty() || played.back() != cd->Playback.CurrentTrack || position < lastPosition))
      played.push_back(cd->Playback.CurrentTrack);
    lastPosition = position;
    if (titles.isEmpty() || titles.back() != ui.applicationTitle()) titles << ui.applicationTitle();
  }
  QString time() const { return cd->Label3->text() + cd->Label4->text(); }

  TForm1* cd = nullptr;
  std::vector<int> played;
  int lastPosition = 0;
  QStringList titles;
};
