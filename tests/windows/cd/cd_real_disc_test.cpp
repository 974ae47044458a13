// The CD player on the real CD device, playing generated disc images through a
// capture output: each track is a tone of its own.
#include <gtest/gtest.h>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>

#include "captured_sound.h"
#include "disc_image_writer.h"
#include "fake_platform.h"
#include "platform/settings_backend.h"
#include "services/media_device/media_device_factory.h"
#include "ui_double.h"
#include "windows/cd/cd_player_window.h"
#include "wiring/corvela_program.h"

namespace {

double toneOf(int track) { return 300.0 + 100.0 * track; }

std::vector<ImageTrack> toneTracks(int count, double seconds) {
  std::vector<ImageTrack> tracks;
  for (int n = 1; n <= count; ++n) tracks.push_back({tone(toneOf(n), seconds), {}});
  return tracks;
}

struct RealDiscPlayer {
  explicit RealDiscPlayer(const std::vector<ImageTrack>& tracks) {
    if (!tracks.empty()) writeDiscImage(path("disc.cue").toStdString(), tracks);
    SystemDeviceOptions options;
    options.output.captureFile = path("capture.raw");
    options.settingsFile = path("Corvela.conf");
    options.demoDisc = path("disc.cue");
    options.physicalDrives = false;
    devices = makeSystemMediaDeviceFactory(options);
    corvela = std::make_unique<CorvelaProgram>(ui, settings, platform.services(), *devices);
    cd = corvela->forms.Form1.get();
  }
  QString path(const QString& name) const { return dir.filePath(name); }

  QTemporaryDir dir;
  UiDouble ui;
  FakePlatform platform;
  IniSettingsBackend settings;
  std::unique_ptr<MediaDeviceFactory> devices;
  std::unique_ptr<CorvelaProgram> corvela;
  TForm1* cd = nullptr;
};

}  // namespace

TEST(CdOnTheRealDevice, EightTracksFillEightBoxes) {
  RealDiscPlayer p(toneTracks(8, 1.0));
  p.cd->Button7Click();
  EXPECT_TRUE(p.ui.shown().empty());
  for (int n = 1; n <= 30; ++n) EXPECT_EQ(p.cd->TrackBoxes[n]->isEnabled(), n <= 8) << n;
  EXPECT_EQ(p.cd->Button13->text(), "&1 to 8");
  EXPECT_EQ(p.cd->Label1->text(), "Total play time: 0 mins  8 secs - Tracks: 8");
}

TEST(CdOnTheRealDevice, ThirtyFourTracksAreAnnounced) {
  RealDiscPlayer p(toneTracks(34, 1.0));
  p.cd->Button7Click();
  ASSERT_EQ(p.ui.texts().size(), 1);
  EXPECT_TRUE(p.ui.texts()[0].startsWith("There are 34 Tracks on this CD."));
  EXPECT_TRUE(p.cd->Label1->text().endsWith(" - Tracks: 34"));
  EXPECT_EQ(p.cd->Label1->text(), "Total play time: 0 mins  30 secs - Tracks: 34");
}

TEST(CdOnTheRealDevice, ADataDiscIsRefusedAndAnEmptyDriveHasNoDisc) {
  std::vector<ImageTrack> mixed = toneTracks(2, 1.0);
  mixed.insert(mixed.begin(), ImageTrack{{}, "BACKUP"});
  RealDiscPlayer data(mixed);
  data.ui.expectQuestion(Answer::No);
  data.cd->Button7Click();
  EXPECT_EQ(data.ui.shown().back().text, "This is not an Audio CD!\r\rEject this CD?");

  RealDiscPlayer empty({});
  empty.cd->Button7Click();
  EXPECT_EQ(
      empty.ui.texts(),
      QStringList{"No CD Disk found in drive.\r\rEnsure that an Audio CD is in the CD Drive."});
}

TEST(CdOnTheRealDevice, TracksThreeAndSevenAreHeardInTurnAndNothingElse) {
  RealDiscPlayer p(toneTracks(8, 1.0));
  p.cd->Button7Click();
  p.cd->Button10Click();
  p.cd->TrackBoxes[3]->setChecked(true);
  p.cd->TrackBoxes[7]->setChecked(true);
  p.cd->Button1Click(p.cd->Button1);
  bool sevenPlayed = false;
  ASSERT_TRUE(waitUntil(
      [&] {
        sevenPlayed = sevenPlayed || p.cd->Playback.CurrentTrack == 7;
        return sevenPlayed && p.cd->Playback.CurrentTrack == 0;
      },
      10000));
  EXPECT_EQ(p.ui.applicationTitle(), "CD ended");
  waitUntil([] { return false; }, 300);  // the capture catches up

  const CapturedSound heard = CapturedSound::read(p.path("capture.raw"));
  std::vector<double> candidates;
  for (int n = 1; n <= 8; ++n) candidates.push_back(toneOf(n));
  EXPECT_NEAR(heard.audibleSeconds(), 2.0, 0.25);
  EXPECT_EQ(heard.strongest(candidates, 0.2, 0.8), toneOf(3));
  EXPECT_EQ(heard.strongest(candidates, 1.2, 1.8), toneOf(7));
}
