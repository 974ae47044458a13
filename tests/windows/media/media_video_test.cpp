// Where videos are shown: fitted in the panel in place of the list, or full
// screen in the window of their own, and how the list comes back.
#include <QCursor>
#include <QGuiApplication>
#include <QMenu>
#include <QRadioButton>
#include <QScreen>

#include "media_playback_fixture.h"
#include "platform/taskbar.h"
#include "program/program_state.h"
#include "windows/media/full_screen_video_window.h"
#include "windows/viewer/graphics_viewer_window.h"

namespace {

struct MediaVideo : MediaPlaybackFixture {
  TForm16* fullScreen() { return forms().Form16.get(); }
  QRect screen() const { return QGuiApplication::primaryScreen()->geometry(); }
  // Full screen is chosen and the window it brings has become the active one.
  void playFullScreen() {
    media->RadioButton3->setChecked(true);
    media->Button1Click(media->Button1);
    run(1000);
    fullScreen()->FormActivate();
  }
  void expectListBackFromFullScreen() {
    EXPECT_FALSE(fullScreen()->isVisible());
    EXPECT_FALSE(platform.taskbar.hidden());
    EXPECT_FALSE(media->isMinimized());
    EXPECT_FALSE(media->ListBox1->isHidden());
  }
};

TEST_F(MediaVideo, AFittedVideoTakesThePanelInPlaceOfTheListUntilASoundFollows) {
  chooseFiles({{"a.avi", 2}, {"b.wav", 2}});
  media->Button1Click(media->Button1);
  run(1000);
  EXPECT_FALSE(media->Panel1->isHidden());
  EXPECT_EQ(media->Panel1->size(), QSize(300, 230));
  EXPECT_TRUE(media->ListBox1->isHidden());
  EXPECT_TRUE(media->Button12->isHidden());
  EXPECT_FALSE(media->SavePlayList2->isEnabled());
  EXPECT_EQ(state().settings.AVI, 0);

  run(2000);
  EXPECT_EQ(playing(), "Playing: 2 of 2");
  EXPECT_TRUE(media->Panel1->isHidden());
  EXPECT_FALSE(media->ListBox1->isHidden());
  EXPECT_FALSE(media->Button12->isHidden());
  EXPECT_TRUE(media->SavePlayList2->isEnabled());
}

TEST_F(MediaVideo, AFullScreenVideoFollowedByUntickedLinesReturnsToTheList) {
  chooseFiles({{"a.mpg", 1}, {"b.wav", 1}});
  untick(1);
  playFullScreen();
  run(2000);
  expectListBackFromFullScreen();
}

TEST_F(MediaVideo, FullScreenFillsTheScreenAndEscapeBringsTheListBack) {
  state().settings.AVI = 1;
  chooseFiles({{"a.mpg", 10}});
  playFullScreen();
  EXPECT_TRUE(fullScreen()->isVisible());
  EXPECT_EQ(fullScreen()->geometry(), screen());
  EXPECT_TRUE(platform.taskbar.hidden());
  EXPECT_TRUE(media->isMinimized());
  EXPECT_EQ(QCursor::pos(), screen().bottomRight());
  EXPECT_EQ(state().settings.AVI, 0);
  EXPECT_EQ(media->MediaPlayer1->mode(), DeviceMode::Playing);

  fullScreen()->FormKeyPress(Qt::Key_Escape);
  EXPECT_FALSE(fullScreen()->isVisible());
  EXPECT_FALSE(platform.taskbar.hidden());
  EXPECT_FALSE(media->isMinimized());
  EXPECT_EQ(QCursor::pos(), screen().center());
  EXPECT_EQ(media->MediaPlayer1->mode(), DeviceMode::NotReady);
  EXPECT_FALSE(media->ListBox1->isHidden());
}

TEST_F(MediaVideo, TheMenuOpensAtTheCentreAndNextToASoundLeavesFullScreen) {
  chooseFiles({{"a.mpg", 10}, {"b.wav", 10}});
  playFullScreen();
  fullScreen()->FormMouseDown(Qt::RightButton);
  EXPECT_TRUE(fullScreen()->PopupMenu1->isVisible());
  EXPECT_EQ(QCursor::pos(), screen().center());
  fullScreen()->PopupMenu1->hide();

  fullScreen()->Next1->trigger();
  EXPECT_EQ(playing(), "Playing: 2 of 2");
  EXPECT_FALSE(fullScreen()->isVisible());
  EXPECT_FALSE(platform.taskbar.hidden());
  EXPECT_FALSE(media->isMinimized());
  EXPECT_FALSE(media->ListBox1->isHidden());
  EXPECT_EQ(media->MediaPlayer1->mode(), DeviceMode::Playing);
}

TEST_F(MediaVideo, PlaybackWaitsWhileTheFullScreenDetailsBoxIsOpen) {
  chooseFiles({{"a.mpg", 1}, {"b.wav", 5}});
  playFullScreen();
  fullScreen()->Tag = 0;
  run(3000);
  EXPECT_EQ(media->MediaPlayer1->mode(), DeviceMode::Stopped);
  EXPECT_TRUE(fullScreen()->isVisible());
  fullScreen()->Tag = 1;
  run(1000);
  EXPECT_EQ(playing(), "Playing: 2 of 2");
  EXPECT_FALSE(fullScreen()->isVisible());
}

TEST_F(MediaVideo, TheEndOfTheListClosesFullScreen) {
  chooseFiles({{"a.mpg", 1}});
  playFullScreen();
  run(2000);
  EXPECT_FALSE(fullScreen()->isVisible());
  EXPECT_FALSE(platform.taskbar.hidden());
  EXPECT_FALSE(media->Timer1->Enabled());
  EXPECT_FALSE(media->isMinimized());
}

TEST_F(MediaVideo, TheOwnSizeChoiceIsStoredAndItsWindowGoesWithTheFile) {
  media->RadioButton1->setChecked(true);
  EXPECT_EQ(state().settings.AVI, 1);
  chooseFiles({{"a.avi", 5}});
  media->Button1Click(media->Button1);
  run(1000);
  EXPECT_TRUE(media->Panel1->isHidden());
  EXPECT_FALSE(fullScreen()->isVisible());
  EXPECT_TRUE(media->ListBox1->isHidden());
  run(5000);
  EXPECT_FALSE(media->MediaPlayer1->isOpen());
}

TEST_F(MediaVideo, AFullScreenVideoEndingWithoutAutoPlayGivesTheListBack) {
  chooseFiles({{"a.mpg", 1}, {"b.mpg", 1}});
  media->CheckBox1->setChecked(false);
  playFullScreen();
  run(2000);
  expectListBackFromFullScreen();
}

TEST_F(MediaVideo, LeavingForTheCdPlayerDuringAFittedVideoStopsItAndShowsTheList) {
  chooseFiles({{"a.avi", 10}});
  media->Button1Click(media->Button1);
  run(1000);
  media->Button7Click();
  EXPECT_FALSE(media->MediaPlayer1->isOpen());
  EXPECT_TRUE(media->Panel1->isHidden());
  EXPECT_FALSE(media->ListBox1->isHidden());
}

TEST_F(MediaVideo, LeavingForTheGraphicsViewerWithYesMovesFromTheVideoToTheNextSound) {
  chooseFiles({{"a.avi", 10}, {"b.mpg", 10}, {"c.wav", 10}});
  media->Button1Click(media->Button1);
  run(1000);
  ui.expectQuestion(Answer::Yes);
  media->Button16Click();
  EXPECT_EQ(ticks(), (std::vector<bool>{false, false, true}));
  EXPECT_EQ(media->Label7->text(), "Selected: 1");
  EXPECT_EQ(playing(), "Playing: 3 of 3");
  EXPECT_TRUE(media->Panel1->isHidden());
  EXPECT_TRUE(forms().Form9->isVisible());
}

}  // namespace
