#include "windows/cd/cd_playback.h"

#include <gtest/gtest.h>

#include <optional>
#include <utility>

#include "fake_media_device.h"
#include "services/media_device/disc_toc.h"

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

namespace {

PlayOrder::Ticks ticked(std::initializer_list<int> tracks) {
  PlayOrder::Ticks ticks{};
  for (int n : tracks) ticks[static_cast<std::size_t>(n)] = true;
  return ticks;
}

CdPlayback playbackAt(FakeMediaDeviceFactory& devices, int track) {
  CdPlayback playback(devices.create(DeviceType::CdAudio));
  playback.CurrentTrack = track;
  return playback;
}

}  // namespace

TEST(CdPlayback, NextAndPreviousLandOnATickedTrackAndTurnBackAtEitherEnd) {
  FakeMediaDeviceFactory devices;
  const PlayOrder::Ticks ticks = ticked({3, 5, 7});
  using Step = std::pair<int, int>;
  const auto step = [&](int from, int listed, int direction) -> std::optional<Step> {
    CdPlayback playback = playbackAt(devices, from);
    const auto found = playback.stepToTicked(ticks, listed, direction);
    if (!found) return std::nullopt;
    return Step{found->track, found->step};
  };
  EXPECT_EQ(step(3, 10, +1), Step(5, +1));
  EXPECT_EQ(step(5, 10, -1), Step(3, -1));
  EXPECT_EQ(step(7, 10, +1), Step(7, -1)) << "Next on the last ticked track restarts it";
  EXPECT_EQ(step(7, 7, +1), Step(7, +1)) << "the last listed track is ticked";
  EXPECT_EQ(step(3, 10, -1), Step(3, +1)) << "Previous on the first ticked track restarts it";
  EXPECT_EQ(step(0, 10, +1), Step(3, +1)) << "from stopped, the lowest";
  EXPECT_EQ(step(33, 30, +1), Step(3, +1)) << "above the boxes, Next starts again from the first";
  EXPECT_EQ(step(33, 30, -1), Step(7, -1)) << "and Previous from the last box";
  CdPlayback none = playbackAt(devices, 4);
  EXPECT_FALSE(none.stepToTicked({}, 10, +1));
}

TEST(CdPlayback, ADisplayTickTellsTheWindowWhatComesNext) {
  FakeMediaDeviceFactory devices;
  using Tick = CdPlayback::TickStep;
  const std::uint32_t at12s = packTmsf({2, 0, 12, 0});
  CdPlayback playback = playbackAt(devices, 2);
  EXPECT_EQ(playback.displayTick(DeviceMode::NotReady, 0, 5, false, false), Tick::Eject);
  EXPECT_EQ(playback.displayTick(DeviceMode::Stopped, 0, 5, false, false), Tick::TrackEnded);
  EXPECT_EQ(playback.displayTick(DeviceMode::Playing, at12s, 5, true, false), Tick::IntroEnded);
  EXPECT_EQ(playback.displayTick(DeviceMode::Playing, at12s, 5, false, false), Tick::ShowPosition);

  EXPECT_EQ(playback.displayTick(DeviceMode::Stopped, 0, 2, false, false), Tick::SelectionEnded);
  EXPECT_TRUE(playback.skipOneAdvance()) << "the ended selection skips one advance";
  EXPECT_FALSE(playback.skipOneAdvance());

  // With the ejection check on, a position that stands still while the drive
  // does not play is a disc taken out.
  EXPECT_EQ(playback.displayTick(DeviceMode::Seeking, at12s, 5, false, true), Tick::ShowPosition);
  EXPECT_EQ(playback.displayTick(DeviceMode::Seeking, at12s, 5, false, true), Tick::Eject);

  playback.RandomMode = true;
  EXPECT_EQ(playback.displayTick(DeviceMode::Stopped, 0, 0, false, false), Tick::PlayInOrder);
}
