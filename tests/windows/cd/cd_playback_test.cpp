#include "windows/cd/cd_playback.h"

#include <gtest/gtest.h>

#include "fake_media_device.h"

TEST(CdPlayback, ATrackPlaysWhileItSoundsOrOurPauseHoldsIt) {
  FakeMediaDeviceFactory devices;
  devices.insertDisc("virtual", FakeMediaDeviceFactory::audioDisc({20, 20}));
  CdPlayback playback(devices.create(DeviceType::CdAudio));
  playback.CurrentTrack = 2;
  EXPECT_FALSE(playback.trackPlaying()) << "the device is not open";

  MediaDevice& device = playback.device();
  device.open("virtual");
  device.setStart(2);
  device.play();
  EXPECT_EQ(playback.trackPlaying(), 2);
  EXPECT_FALSE(playback.paused());

  device.pause();
  playback.PausedHere = true;
  EXPECT_EQ(playback.trackPlaying(), 2);
  EXPECT_TRUE(playback.paused());

  device.stop();
  playback.PausedHere = false;
  EXPECT_FALSE(playback.trackPlaying()) << "chosen, but stopped";
}
