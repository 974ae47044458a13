// How a media file device behaves, on fake files with a manual clock.
#include <gtest/gtest.h>

#include "fake_media_device.h"

namespace {

class FileDeviceTest : public ::testing::Test {
 protected:
  FileDeviceTest() {
    devices.addFile("/media/a.wav", 3000);
    devices.addBrokenFile("/media/bad.avi", "Cannot play \"/media/bad.avi\": not a video.");
    file->onNotify([this](NotifyResult result) { events.push_back(result); });
    file->open("/media/a.wav");
  }
  void notifiedPlay() {
    file->setNotify(true);
    file->play();
  }

  FakeMediaDeviceFactory devices;
  std::unique_ptr<MediaDevice> file = devices.create(DeviceType::AutoSelect);
  std::vector<NotifyResult> events;
};

TEST_F(FileDeviceTest, IsOneTrackInMilliseconds) {
  EXPECT_EQ(file->trackCount(), 1);
  EXPECT_EQ(file->trackLength(1), 3000u);
  EXPECT_EQ(file->length(), 3000u);
  EXPECT_EQ(file->mode(), DeviceMode::Stopped);
  EXPECT_THROW(file->setTimeFormat(TimeFormat::Tmsf), MediaDeviceError);
  EXPECT_THROW(file->eject(), MediaDeviceError);
  EXPECT_EQ(file->lastError(), DeviceErrorCode::Unsupported);
}

TEST_F(FileDeviceTest, EachNotifiedPlayEndsWithExactlyOneEventOfTheRightKind) {
  notifiedPlay();
  devices.advance(1000);
  EXPECT_EQ(file->position(), 1000u);
  notifiedPlay();  // supersedes
  devices.advance(3500);
  EXPECT_EQ(file->mode(), DeviceMode::Stopped);
  EXPECT_EQ(file->position(), 3000u);
  notifiedPlay();  // from the start again
  file->stop();
  file->stop();
  notifiedPlay();
  file->close();
  devices.advance(5000);
  EXPECT_EQ(events, (std::vector{NotifyResult::Superseded, NotifyResult::Successful,
                                 NotifyResult::Aborted, NotifyResult::Aborted}));
}

TEST_F(FileDeviceTest, PauseTogglesAndKeepsTheNotifiedPlayGoing) {
  notifiedPlay();
  devices.advance(1000);
  file->pause();
  EXPECT_EQ(file->mode(), DeviceMode::Paused);
  devices.advance(5000);
  EXPECT_EQ(file->position(), 1000u);
  file->pause();
  devices.advance(2000);
  EXPECT_EQ(file->mode(), DeviceMode::Stopped);
  EXPECT_EQ(events, (std::vector{NotifyResult::Successful}));
}

TEST_F(FileDeviceTest, PlaysFromAndToTheGivenPositions) {
  file->setStart(500);
  file->setEnd(1500);
  notifiedPlay();
  devices.advance(400);
  EXPECT_EQ(file->position(), 900u);
  devices.advance(700);
  EXPECT_EQ(file->position(), 1500u);
  EXPECT_EQ(events, (std::vector{NotifyResult::Successful}));
  file->setStart(3001);
  EXPECT_THROW(file->play(), MediaDeviceError);
  EXPECT_EQ(file->lastError(), DeviceErrorCode::OutOfRange);
}

TEST_F(FileDeviceTest, AFileThatCannotBeOpenedLeavesTheDeviceClosedWithItsReason) {
  try {
    file->open("/media/bad.avi");
    FAIL() << "opened a broken file";
  } catch (const MediaDeviceError& error) {
    EXPECT_EQ(error.message(), "Cannot play \"/media/bad.avi\": not a video.");
  }
  EXPECT_FALSE(file->isOpen());
  EXPECT_EQ(file->lastError(), DeviceErrorCode::CannotOpen);
  EXPECT_EQ(file->mode(), DeviceMode::NotReady);
  EXPECT_THROW(file->play(), MediaDeviceError);
  EXPECT_THROW(file->open("/media/missing.wav"), MediaDeviceError);
}

}  // namespace
