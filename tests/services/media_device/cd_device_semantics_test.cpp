// How a CD drive behaves through its handles, on fake drives with a manual clock.
#include <gtest/gtest.h>

#include "fake_media_device.h"
#include "services/media_device/disc_toc.h"

namespace {

std::uint32_t tmsf(int track, int minutes = 0, int seconds = 0, int frames = 0) {
  return packTmsf({track, minutes, seconds, frames});
}

class CdDeviceTest : public ::testing::Test {
 protected:
  CdDeviceTest() {
    devices.insertDisc("virtual", FakeMediaDeviceFactory::audioDisc({245, 30, 807, 60}));
    cd->onNotify([this](NotifyResult result) { events.push_back(result); });
    cd->open("virtual");
  }
  void playTrack(MediaDevice& device, int track, bool notify = false) {
    device.setStart(tmsf(track));
    if (track < device.trackCount()) device.setEnd(tmsf(track + 1));
    device.setNotify(notify);
    device.play();
  }

  FakeMediaDeviceFactory devices;
  std::unique_ptr<MediaDevice> cd = devices.create(DeviceType::CdAudio);
  std::vector<NotifyResult> events;
};

TEST_F(CdDeviceTest, ReportsTheTableOfContentsPackedAsClassicDriversDo) {
  EXPECT_EQ(cd->timeFormat(), TimeFormat::Tmsf);
  EXPECT_EQ(cd->trackCount(), 4);
  // Lengths are minutes, seconds, frames from the low byte: 4:05, 13:27.
  EXPECT_EQ(cd->trackLength(1), 4u | 5u << 8);
  EXPECT_EQ(cd->trackLength(3), 13u | 27u << 8);
  EXPECT_EQ(cd->trackLength(5), 0u);
  EXPECT_EQ(cd->trackPosition(3), tmsf(3));
  EXPECT_EQ(cd->length(), 19u | 2u << 8);
  EXPECT_EQ(cd->mode(), DeviceMode::Stopped);

  cd->setTimeFormat(TimeFormat::Milliseconds);
  EXPECT_EQ(cd->trackLength(2), 30000u);
  EXPECT_EQ(cd->trackPosition(2), 245000u);
  // Every open starts in TMSF again.
  cd->open("virtual");
  EXPECT_EQ(cd->timeFormat(), TimeFormat::Tmsf);
}

TEST_F(CdDeviceTest, PlayingOneTrackEndsExactlyAtTheStartOfTheNext) {
  playTrack(*cd, 2);
  devices.advance(1500);
  EXPECT_EQ(cd->mode(), DeviceMode::Playing);
  EXPECT_EQ(cd->position(), tmsf(2, 0, 1, 37));
  devices.advance(29000);
  EXPECT_EQ(cd->mode(), DeviceMode::Stopped);
  EXPECT_EQ(cd->position(), tmsf(3));
}

TEST_F(CdDeviceTest, TheLastTrackPlaysToTheEndOfTheDisc) {
  playTrack(*cd, 4);
  devices.advance(59000);
  EXPECT_EQ(cd->mode(), DeviceMode::Playing);
  devices.advance(2000);
  EXPECT_EQ(cd->mode(), DeviceMode::Stopped);
  EXPECT_EQ(cd->position(), tmsf(4, 1, 0, 0));
}

TEST_F(CdDeviceTest, PausedReportsStoppedAndResumesWhereItStood) {
  playTrack(*cd, 1);
  devices.advance(10000);
  cd->pause();
  const auto pausedAt = cd->position();
  EXPECT_EQ(cd->mode(), DeviceMode::Stopped);
  devices.advance(5000);
  EXPECT_EQ(cd->position(), pausedAt);
  cd->pause();  // toggles back
  EXPECT_EQ(cd->mode(), DeviceMode::Playing);
  devices.advance(1000);
  EXPECT_EQ(cd->position(), tmsf(1, 0, 11));
}

TEST_F(CdDeviceTest, TheDrivePlaysOnThroughClosedAndReopenedHandles) {
  playTrack(*cd, 3);
  devices.advance(2000);
  cd->close();
  devices.advance(1000);

  auto other = devices.create(DeviceType::CdAudio);
  other->open("");  // the first drive
  EXPECT_EQ(other->mode(), DeviceMode::Playing);
  EXPECT_EQ(other->position(), tmsf(3, 0, 3));
  // A second handle controls the same drive.
  cd->open("virtual");
  other->stop();
  EXPECT_EQ(cd->mode(), DeviceMode::Stopped);
  EXPECT_EQ(cd->position(), tmsf(3, 0, 3));
}

TEST_F(CdDeviceTest, EveryNotifiedPlayEndsWithExactlyOneEvent) {
  playTrack(*cd, 2, true);
  devices.advance(31000);
  playTrack(*cd, 1, true);
  playTrack(*cd, 2, true);  // supersedes the play of track 1
  cd->stop();
  devices.deliverEvents();
  EXPECT_EQ(events, (std::vector{NotifyResult::Successful, NotifyResult::Superseded,
                                 NotifyResult::Aborted}));

  // Another handle's play supersedes ours; closing our handle owes nothing more.
  events.clear();
  auto other = devices.create(DeviceType::CdAudio);
  other->open("virtual");
  playTrack(*cd, 1, true);
  playTrack(*other, 2);
  cd->close();
  devices.advance(40000);
  EXPECT_EQ(events, (std::vector{NotifyResult::Superseded}));
}

TEST_F(CdDeviceTest, EventsNeverArriveInsideTheCommandThatCausedThem) {
  playTrack(*cd, 1, true);
  cd->stop();
  EXPECT_TRUE(events.empty());
  devices.deliverEvents();
  EXPECT_EQ(events.size(), 1u);
}

TEST_F(CdDeviceTest, EjectOpensTheDoorUntilTheNextOpen) {
  playTrack(*cd, 1);
  cd->eject();
  EXPECT_EQ(cd->mode(), DeviceMode::Open);
  EXPECT_TRUE(devices.drive("virtual")->doorOpen);
  EXPECT_EQ(cd->length(), 0u);
  EXPECT_EQ(devices.volumeLabel("virtual"), "");
  cd->open("virtual");
  EXPECT_FALSE(devices.drive("virtual")->doorOpen);
  EXPECT_EQ(cd->mode(), DeviceMode::Stopped);
  EXPECT_EQ(cd->trackCount(), 4);
}

TEST_F(CdDeviceTest, AnEmptyDriveOpensAndShowsNoDisc) {
  devices.insertDisc("virtual", {});
  cd->open("virtual");
  EXPECT_EQ(cd->trackLength(1), 0u);
  EXPECT_EQ(cd->mode(), DeviceMode::NotReady);
  EXPECT_THROW(cd->play(), MediaDeviceError);
  EXPECT_EQ(cd->lastError(), DeviceErrorCode::NoDisc);
}

TEST_F(CdDeviceTest, AChangedDiscIsSeenAtTheNextOpen) {
  devices.insertDisc("virtual", FakeMediaDeviceFactory::audioDisc({100, 200}));
  EXPECT_EQ(cd->trackCount(), 4);
  cd->open("virtual");
  EXPECT_EQ(cd->trackCount(), 2);
}

// The player holds the sound's output stream: a stop, a close and an open
// between two tracks of one disc keep it, so the next track sounds at once.
TEST_F(CdDeviceTest, TheSameDiscReadAgainKeepsItsPlayer) {
  const auto drive = devices.drive("virtual");
  playTrack(*cd, 1);
  cd->stop();
  cd->close();
  cd->open("virtual");
  playTrack(*cd, 3);
  devices.advance(1000);
  EXPECT_EQ(cd->position(), tmsf(3, 0, 1));
  EXPECT_EQ(drive->playersMade, 1);
  cd->stop();
  devices.insertDisc("virtual", FakeMediaDeviceFactory::audioDisc({100, 200}));
  cd->open("virtual");
  EXPECT_EQ(drive->playersMade, 2);
}

TEST_F(CdDeviceTest, PositionsOutsideTheDiscAreRefused) {
  cd->setStart(tmsf(6));
  EXPECT_THROW(cd->play(), MediaDeviceError);
  EXPECT_EQ(cd->lastError(), DeviceErrorCode::OutOfRange);
  EXPECT_THROW(cd->seek(tmsf(1, 0, 60)), MediaDeviceError);
  // An end before the start plays nothing rather than something else.
  cd->setStart(tmsf(3));
  cd->setEnd(tmsf(2));
  EXPECT_THROW(cd->play(), MediaDeviceError);
  EXPECT_EQ(cd->mode(), DeviceMode::Stopped);
  EXPECT_THROW(devices.create(DeviceType::CdAudio)->open("/dev/nothing"), MediaDeviceError);
}

TEST_F(CdDeviceTest, SeekMovesTheStoppedDriveAndPlayGoesOnFromThere) {
  playTrack(*cd, 1);
  cd->seek(tmsf(3, 2, 30));
  EXPECT_EQ(cd->mode(), DeviceMode::Stopped);
  EXPECT_EQ(cd->position(), tmsf(3, 2, 30));
  cd->setEnd(tmsf(4));
  cd->play();
  devices.advance(1000);
  EXPECT_EQ(cd->position(), tmsf(3, 2, 31));
}

TEST(CdDriveLeftPlaying, KeepsPlayingToTheEndAskedForOnceEverythingIsGone) {
  std::shared_ptr<FakeDriveState> drive;
  {
    FakeMediaDeviceFactory devices;
    devices.insertDisc("virtual", FakeMediaDeviceFactory::audioDisc({10, 10, 10}));
    drive = devices.drive("virtual");
    auto cd = devices.create(DeviceType::CdAudio);
    cd->open("virtual");
    cd->setStart(tmsf(2));
    cd->setEnd(tmsf(3));  // the start of the last track
    cd->play();
    devices.advance(2000);
  }
  ASSERT_TRUE(drive->keptPlaying);
  EXPECT_EQ(drive->keptPlaying->from, 12 * kFramesPerSecond);
  EXPECT_EQ(drive->keptPlaying->to, 20 * kFramesPerSecond);
}

TEST(CdDriveList, ListsEveryDriveAndNamesThemBack) {
  FakeMediaDeviceFactory devices({"/dev/sr0", "virtual"});
  EXPECT_EQ(devices.cdDriveList(), (QStringList{"/dev/sr0 [CD Drive]", "virtual [CD Drive]"}));
  EXPECT_EQ(cdDriveName("virtual [CD Drive]"), "virtual");
  devices.insertDisc("/dev/sr0", FakeMediaDeviceFactory::audioDisc({10}), "BACKUP_2024");
  EXPECT_EQ(devices.volumeLabel("/dev/sr0"), "BACKUP_2024");
  EXPECT_EQ(devices.volumeLabel("virtual"), "");
}

}  // namespace
