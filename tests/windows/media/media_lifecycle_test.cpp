#include <QAction>
#include <QRadioButton>

#include <gtest/gtest.h>

#include "media_player_fixture.h"
#include "platform/settings_backend.h"
#include "platform/timer.h"
#include "program/program_state.h"
#include "widgets/colour_box.h"
#include "widgets/drive_box.h"
#include "widgets/list_look.h"
#include "windows/viewer/graphics_viewer_window.h"

namespace {

using MediaLifecycle = MediaPlayerFixture;

TEST_F(MediaLifecycle, OpensWithoutAListAndClearsTheClipboardMark) {
  EXPECT_EQ(media->windowTitle(), "Corvela Pro AVI-MID-MPEG-WAV Player");
  EXPECT_EQ(media->client()->size(), QSize(503, 367));
  EXPECT_TRUE(media->ListBox1->isHidden());
  EXPECT_FALSE(media->SavePlayList2->isEnabled());
  EXPECT_FALSE(media->Button8->isEnabled());
  EXPECT_FALSE(media->Timer1->Enabled());
  EXPECT_FALSE(state().ClipboardDataPresent);
  EXPECT_EQ(media->Button12->text(), "Select S&ound && Video");
  EXPECT_EQ(media->Play1->text(), "Play &List is OFF");
}

TEST_F(MediaLifecycle, ActivationWithAnEmptyListShowsTheStoredChoicesAndNothingToPlay) {
  state().settings.Time = 1;
  state().settings.AVI = 1;
  media->FormActivate();

  EXPECT_EQ(media->ComboBox1->currentText(), "AVI");
  EXPECT_EQ(media->ComboBox1->count(), 6);
  EXPECT_TRUE(media->RadioGroup1Elapsed->isChecked());
  EXPECT_TRUE(media->RadioButton1->isChecked());
  for (QWidget* transport : std::initializer_list<QWidget*>{
           media->Button1, media->Button2, media->Button3, media->Button4, media->Button5,
           media->CheckBox1, media->Button17})
    EXPECT_FALSE(transport->isEnabled()) << transport->objectName().toStdString();

  // Choosing the fitted size stores it.
  media->RadioButton2->setChecked(true);
  EXPECT_EQ(state().settings.AVI, 0);
}

TEST_F(MediaLifecycle, ActivationAfterAModalDialogOnlyClearsItsMark) {
  state().ModalDialogClosed = true;
  media->FormActivate();
  EXPECT_FALSE(state().ModalDialogClosed);
  EXPECT_EQ(media->ComboBox1->count(), 0);
}

TEST_F(MediaLifecycle, ClosingAsksAboutTheClipboardAndEndsTheProgramAsNotRunning) {
  state().ClipboardDataPresent = true;
  state().settings.Active = true;
  ui.expectQuestion(Answer::No);
  media->BitBtn1Click();

  ASSERT_EQ(ui.shown().size(), 1u);
  EXPECT_EQ(ui.shown()[0].caption, "Clipboard Data Present");
  EXPECT_EQ(ui.shown()[0].text, "Do you wish to delete the contents of the Clipboard?");
  EXPECT_TRUE(ui.terminating());
  EXPECT_EQ(settings.readInteger("Active"), 0);
}

TEST_F(MediaLifecycle, LeavingForTheGraphicsWithSoundPlayingUnticksTheVideoLines) {
  const QStringList files = makeFiles({"a.wav", "b.avi", "c.MPG", "d.mid"});
  for (const QString& file : files) devices.addFile(file, 60000);
  choose(files);
  media->ListBox1->item(2)->setCheckState(Qt::Unchecked);
  media->CheckBox1->setChecked(false);
  media->MediaPlayer1->open(files[0]);
  media->MediaPlayer1->play();

  ui.expectQuestion(Answer::Yes);
  media->WindUpPlaybackForGraphics(media->Button16);

  EXPECT_EQ(ticks(), (std::vector<bool>{true, false, false, true}));
  EXPECT_EQ(media->SelectedCount, 2);
  EXPECT_EQ(media->Label7->text(), "Selected: 2");
  EXPECT_TRUE(media->CheckBox1->isChecked());
  EXPECT_EQ(media->MediaPlayer1->mode(), DeviceMode::Playing);
}

TEST_F(MediaLifecycle, LeavingForTheGraphicsWithNothingPlayingStopsWithoutAsking) {
  choose(makeFiles({"a.wav"}));
  media->WindUpPlaybackForGraphics(media->Button16);
  EXPECT_TRUE(ui.shown().empty());
  EXPECT_TRUE(state().ReturnedToCdPlayer);
  EXPECT_TRUE(media->Label7->text().isEmpty());
  EXPECT_EQ(media->ListBox1->count(), 1);
}

TEST_F(MediaLifecycle, LeavingForTheCdPlayerKeepsTheListAndItsTicks) {
  choose(makeFiles({"a.wav", "b.mid"}));
  media->ListBox1->item(1)->setCheckState(Qt::Unchecked);
  media->WindUpPlaybackForCdPlayer(media->Button7);

  EXPECT_EQ(ticks(), (std::vector<bool>{true, false}));
  EXPECT_TRUE(media->Label7->text().isEmpty());
  EXPECT_EQ(media->Sequence.PlayCursor(), 0);
  EXPECT_TRUE(state().ReturnedToCdPlayer);
  EXPECT_TRUE(ui.shown().empty());
}

TEST_F(MediaLifecycle, ADriveChosenInEitherListWindowIsChosenInTheOther) {
  DriveBox& viewers = *forms().Form9->DriveComboBox1;
  media->DriveComboBox1->setDrive("/media/disc");
  EXPECT_EQ(viewers.drive(), "/media/disc");
  viewers.setDrive("/home");
  EXPECT_EQ(media->DriveComboBox1->drive(), "/home");
}

TEST_F(MediaLifecycle, ToolTipsAndDefaultsReachBothPlayers) {
  media->ToolTipsOn1Click();
  EXPECT_EQ(state().settings.Tips, 1);
  EXPECT_TRUE(media->HideToolTips1->isEnabled());
  EXPECT_FALSE(media->ToolTipsOn1->isEnabled());

  media->RadioGroup1Elapsed->setChecked(true);
  media->RadioButton1->setChecked(true);
  media->show();
  media->Look->Max();
  media->RzColorComboBox1->setColour(Qt::red);
  media->Defaultallsettings1Click();
  EXPECT_EQ(media->Look->lineHeight(), 16);
  EXPECT_EQ(media->RzColorComboBox1->colour(), colourFromSetting(ListLook::DefaultColour));
  EXPECT_EQ(state().settings.Tips, 0);
  EXPECT_FALSE(ui.hintsEnabled());
  EXPECT_TRUE(media->ToolTipsOn1->isEnabled());
  EXPECT_TRUE(media->RadioGroup1Remaining->isChecked());
  EXPECT_TRUE(media->RadioButton2->isChecked());
  EXPECT_EQ(state().settings.AVI, 0);
  EXPECT_EQ(ui.texts(), QStringList{"OK...now at default settings..."});
}

}  // namespace
