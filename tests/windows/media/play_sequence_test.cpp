// What plays, decided and answered without any window: the sequence's rules on
// a list held in memory, over the fake media device and the fake MPEG library.
#include <dlfcn.h>
#include <gtest/gtest.h>

#include <QFile>
#include <vector>

#include "fake_media_device.h"
#include "fake_mpeg/fake_mpeg.h"
#include "services/files/selection_lines.h"
#include "services/media_device/media_device.h"
#include "services/mpeg/mpeg_player.h"
#include "windows/media/play_sequence.h"

namespace {

// Lines named by their real paths, ticked as given.
class Ticks : public SelectionLines {
 public:
  explicit Ticks(std::vector<bool> ticked) : ticked_(std::move(ticked)) {}
  int count() const override { return int(ticked_.size()); }
  ListLine line(int index) const override { return ListLine::forFile(pathOf(index)); }
  bool ticked(int index) const override { return ticked_.at(index); }
  bool append(const ListLine&, bool) override { return false; }
  void clear() override {}
  void setVisible(bool) override {}

  static QString pathOf(int index) { return QString("/Music/Track%1.MP3").arg(index); }

 private:
  std::vector<bool> ticked_;
};

std::unique_ptr<TMPEGPlayer> fakeComponent() {
  auto component = std::make_unique<TMPEGPlayer>();
  component->setPathToDLL(FAKE_MPEG_DIR);
  component->LoadMPEGLibrary();
  return component;
}

// Line 0 has started on the MPEG component; the cursor waits on line 1.
struct Playing : ::testing::Test {
  Playing() {
    library = dlopen(QFile::encodeName(sequence.mpeg().LibraryFileName()).constData(), RTLD_NOW);
    mpeg = reinterpret_cast<FakeMpeg* (*)()>(dlsym(library, "fakeMpeg"))();
    *mpeg = FakeMpeg{};
    devices.addFile("/Video/Clip.AVI", 4000);
    for (int line = 0; line < lines.count(); ++line)
      mpeg->lengths[Ticks::pathOf(line).toStdString()] = 3000;
    sequence.startFrom(0);
    sequence.take(true);
    startMpeg(sequence.fileAtCursor());
  }
  ~Playing() override { dlclose(library); }

  void startMpeg(const QString& file) {
    sequence.mpeg().setStreamName(file);
    sequence.mpeg().Open();
    sequence.mpeg().Play();
    sequence.started(file);
  }

  Ticks lines{{true, true, true, true, true}};
  FakeMediaDeviceFactory devices;
  PlaySequence sequence{lines, devices.create(DeviceType::AutoSelect), fakeComponent()};
  void* library = nullptr;
  FakeMpeg* mpeg = nullptr;
};

TEST_F(Playing, AFileThatEndsWithoutAutoPlayStopsTheSequenceWhicheverDevicePlayedIt) {
  EXPECT_EQ(sequence.mciFileEnded(false), AfterFile::Stop);
  EXPECT_EQ(sequence.mpegFileEnded(false), AfterFile::Stop);
  EXPECT_FALSE(sequence.MpegActive());
  EXPECT_TRUE(PlaySequence::stopsAfterEndedFile(false, Origin::Timer));
  EXPECT_FALSE(PlaySequence::stopsAfterEndedFile(false, Origin::Next));
}

TEST_F(Playing, NextGoesOnFromAHighlightTheKeyboardMoved) {
  sequence.followHighlight(3);
  ASSERT_TRUE(sequence.next(3));
  ASSERT_TRUE(sequence.findTickedLine());
  EXPECT_EQ(sequence.PlayCursor(), 4);
}

TEST_F(Playing, StopClosesAPausedMpegFileAndTheNextOnePausesAfresh) {
  EXPECT_EQ(sequence.pause(), PauseAction::PauseMpeg);
  EXPECT_TRUE(sequence.stop());
  EXPECT_FALSE(sequence.MpegPaused());

  sequence.take(true);
  EXPECT_EQ(sequence.pause(), PauseAction::PauseMpeg);
  EXPECT_EQ(sequence.pause(), PauseAction::ResumeMpeg);
  // Its end has come though the component has not yet said so.
  mpeg->advance(3000);
  EXPECT_EQ(sequence.pause(), PauseAction::Nothing);
  EXPECT_FALSE(sequence.MpegPaused());
}

TEST_F(Playing, ALineOpensByItsRealPathAndAFailureOnTheWayStandsOnItsLine) {
  EXPECT_EQ(sequence.fileAtCursor(), Ticks::pathOf(1));
  sequence.playingFailed();
  EXPECT_EQ(sequence.fileAtCursor(), Ticks::pathOf(0));
  EXPECT_FALSE(sequence.skipFailed());
  EXPECT_EQ(sequence.PlayCursor(), 1);
}

// The rest of the program is told of a file while its device holds it, and
// of nothing once it has ended, whatever the window's labels still show.
TEST_F(Playing, WhatPlaysIsTheFileItsDeviceHoldsPlayingOrPaused) {
  EXPECT_EQ(sequence.title(), "TRACK0.MP3");
  sequence.pause();
  sequence.mpeg().Pause(true);
  EXPECT_TRUE(sequence.paused());
  // A box closing activates the window: the mark stays while the file is paused.
  sequence.activated();
  EXPECT_EQ(sequence.pause(), PauseAction::ResumeMpeg);
  sequence.mpeg().Pause(false);
  EXPECT_TRUE(sequence.playing());
  mpeg->advance(3000);
  EXPECT_EQ(sequence.fileHeld(), QString());
  EXPECT_FALSE(sequence.playing());

  sequence.take(false);
  sequence.device().open("/Video/Clip.AVI");
  sequence.videoPlaced(VideoWindow::FullScreen);
  sequence.device().play();
  sequence.started("/Video/Clip.AVI");
  sequence.device().pause();
  EXPECT_TRUE(sequence.paused());
  EXPECT_EQ(sequence.videoWindow(), VideoWindow::FullScreen);
  // A new list lets a paused video go with its window.
  sequence.letGo();
  EXPECT_EQ(sequence.videoWindow(), VideoWindow::None);
  EXPECT_EQ(sequence.title(), QString());
}

}  // namespace
