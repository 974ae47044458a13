// The virtual drive on generated disc images whose tracks are tones of known
// frequency, heard through a capture output.
#include <gtest/gtest.h>

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include "app/media_device/disc_toc.h"
#include "app/media_device/media_device_factory.h"
#include "captured_sound.h"
#include "disc_image_writer.h"

namespace {

const std::vector<double> kTones{440, 550, 660, 880};
const std::vector<double> kSeconds{2, 1, 1, 2};

std::uint32_t tmsf(int track, int minutes = 0, int seconds = 0) { return packTmsf({track, minutes, seconds, 0}); }

class DiscImageTest : public ::testing::Test {
 protected:
  DiscImageTest() {
    std::vector<ImageTrack> tracks;
    for (std::size_t n = 0; n < kTones.size(); ++n) tracks.push_back({tone(kTones[n], kSeconds[n]), {}});
    writeDiscImage(path("tones.cue").toStdString(), tracks);
    chooseImage(path("tones.cue"));
    SystemDeviceOptions options;
    options.output.captureFile = path("capture.raw");
    options.settingsFile = path("Corvela.conf");
    options.demoDisc = path("no-demo-disc.cue");
    options.physicalDrives = false;
    devices = makeSystemMediaDeviceFactory(options);
    cd = devices->create(DeviceType::CdAudio);
    cd->onNotify([this](NotifyResult result) { events.push_back(result); });
    cd->open("virtual");
  }

  QString path(const QString& name) const { return dir.filePath(name); }
  void chooseImage(const QString& cue) { QSettings(path("Corvela.conf"), QSettings::IniFormat).setValue("VirtualDrive/Image", cue); }
  void playTrack(int track, bool notify = false) {
    cd->setStart(tmsf(track));
    if (track < cd->trackCount()) cd->setEnd(tmsf(track + 1));
    cd->setNotify(notify);
    cd->play();
  }
  bool waitForStop(int timeoutMs = 5000) {
    return waitUntil([this] { return cd->mode() != DeviceMode::Playing; }, timeoutMs);
  }
  CapturedSound heard() const { return CapturedSound::read(path("capture.raw")); }

  QTemporaryDir dir;
  std::unique_ptr<MediaDeviceFactory> devices;
  std::unique_ptr<MediaDevice> cd;
  std::vector<NotifyResult> events;
};

TEST_F(DiscImageTest, ReadsTheTableOfContentsOfTheImage) {
  EXPECT_EQ(devices->cdDriveList(), QStringList{"virtual [CD Drive]"});
  EXPECT_EQ(devices->volumeLabel("virtual"), "Audio CD");
  ASSERT_EQ(cd->trackCount(), 4);
  EXPECT_EQ(cd->trackLength(1), 0u | 2u << 8);
  EXPECT_EQ(cd->trackLength(2), 0u | 1u << 8);
  EXPECT_EQ(cd->trackPosition(4), tmsf(4));
  cd->setTimeFormat(TimeFormat::Milliseconds);
  EXPECT_EQ(cd->trackPosition(3), 3000u);
  EXPECT_EQ(cd->length(), 6000u);
}

TEST_F(DiscImageTest, PlayingTrackThreeAloneSoundsItsToneAndEndsAtItsBoundary) {
  playTrack(3, true);
  EXPECT_EQ(cd->mode(), DeviceMode::Playing);
  ASSERT_TRUE(waitForStop());
  EXPECT_EQ(cd->position(), tmsf(4));
  waitUntil([this] { return !events.empty(); }, 1000);
  EXPECT_EQ(events, std::vector{NotifyResult::Successful});

  const CapturedSound sound = heard();
  EXPECT_NEAR(sound.audibleSeconds(), 1.0, 0.05);
  EXPECT_EQ(sound.strongest(kTones, 0, sound.seconds()), 660);
}

TEST_F(DiscImageTest, PauseReportsStoppedAndResumesAtTheSamePosition) {
  playTrack(1);
  waitUntil([] { return false; }, 500);
  cd->pause();
  const auto pausedAt = cd->position();
  EXPECT_EQ(cd->mode(), DeviceMode::Stopped);
  waitUntil([] { return false; }, 300);
  EXPECT_EQ(cd->position(), pausedAt);
  cd->pause();
  EXPECT_EQ(cd->mode(), DeviceMode::Playing);
  ASSERT_TRUE(waitForStop());
  EXPECT_EQ(cd->position(), tmsf(2));
  // Nothing lost and nothing played twice across the pause.
  EXPECT_NEAR(heard().audibleSeconds(), 2.0, 0.06);
}

TEST_F(DiscImageTest, AHandleOpenedWhileTheDiscPlaysSeesItPlaying) {
  playTrack(4);
  waitUntil([] { return false; }, 300);
  cd->close();
  auto other = devices->create(DeviceType::CdAudio);
  other->open("virtual");
  EXPECT_EQ(other->mode(), DeviceMode::Playing);
  const Tmsf at = unpackTmsf(other->position());
  EXPECT_EQ(at.track, 4);
  other->stop();
  EXPECT_EQ(other->mode(), DeviceMode::Stopped);
  EXPECT_EQ(heard().strongest(kTones, 0, 0.2), 880);
}

TEST_F(DiscImageTest, EjectOpensTheDoorAndTheNextOpenLoadsTheDiscAgain) {
  cd->eject();
  EXPECT_EQ(cd->mode(), DeviceMode::Open);
  EXPECT_EQ(cd->trackLength(1), 0u);
  cd->open("virtual");
  EXPECT_EQ(cd->mode(), DeviceMode::Stopped);
  EXPECT_EQ(cd->trackCount(), 4);
}

TEST_F(DiscImageTest, AMissingOrUnreadableImageIsAnEmptyDrive) {
  QFile cue(path("no-bin.cue"));
  cue.open(QIODevice::WriteOnly);
  cue.write("FILE \"gone.bin\" BINARY\n  TRACK 01 AUDIO\n    INDEX 01 00:00:00\n");
  cue.close();
  for (const QString& image : {path("missing.cue"), path("no-bin.cue"), QString()}) {
    chooseImage(image);  // none named: the demo disc, missing here
    SCOPED_TRACE(image.toStdString());
    ASSERT_NO_THROW(cd->open("virtual"));
    EXPECT_EQ(cd->trackLength(1), 0u);
    EXPECT_EQ(cd->mode(), DeviceMode::NotReady);
    EXPECT_THROW(cd->play(), MediaDeviceError);
  }
}

TEST_F(DiscImageTest, AnImageCutShortPlaysWhatItHas) {
  QFile bin(path("tones.bin"));
  ASSERT_TRUE(bin.resize(static_cast<qint64>(3.5 * kFramesPerSecond) * kBytesPerFrame));
  cd->open("virtual");
  ASSERT_GE(cd->trackCount(), 3);
  playTrack(3);
  ASSERT_TRUE(waitForStop());
  EXPECT_NEAR(heard().audibleSeconds(), 0.5, 0.06);
}

TEST_F(DiscImageTest, AMixedModeDiscReportsTheVolumeIdOfItsDataTrack) {
  writeDiscImage(path("mixed.cue").toStdString(), {{{}, "CORVELA_DATA"}, {tone(440, 1), {}}});
  chooseImage(path("mixed.cue"));
  EXPECT_EQ(devices->volumeLabel("virtual"), "CORVELA_DATA");
  cd->open("virtual");
  EXPECT_EQ(cd->trackCount(), 2);
}

}  // namespace
