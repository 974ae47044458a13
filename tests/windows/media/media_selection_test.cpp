#include <QAction>
#include <QSlider>

#include <gtest/gtest.h>

#include "media_player_fixture.h"
#include "platform/timer.h"

namespace {

struct MediaSelection : MediaPlayerFixture {
  void chooseThree() { choose(makeFiles({"A/One.WAV", "A/Two.MID", "A/Three.MP3"})); }
};

TEST_F(MediaSelection, ChosenFilesAreListedInLowerCaseAllTickedAndKeepTheirChosenNames) {
  const QStringList chosen = makeFiles({"A/One.WAV", "A/Two.MID", "A/Three.MP3"});
  choose(chosen);

  QStringList lower;
  for (const QString& path : chosen) lower << path.toLower();
  EXPECT_EQ(lineTexts(), lower);
  EXPECT_EQ(ticks(), (std::vector<bool>{true, true, true}));
  EXPECT_EQ(media->Label7->text(), "Selected: 3");
  EXPECT_EQ(media->ListBox1->currentRow(), 0);
  EXPECT_FALSE(media->ListBox1->isHidden());
  EXPECT_EQ(media->LastIndex, 2);
  EXPECT_EQ(media->SelectedCount, 3);
  // Playback opens the files by the names the dialog gave.
  EXPECT_FALSE(media->NamesFromList);
  EXPECT_EQ(media->Lines.line(1).path, chosen[1]);
  EXPECT_TRUE(media->Button1->isEnabled());
  EXPECT_TRUE(media->Button2->isEnabled());
  EXPECT_FALSE(media->Button3->isEnabled());
  EXPECT_TRUE(media->SavePlayList2->isEnabled());
  EXPECT_EQ(media->HorizontalExtent, 3000);
}

TEST_F(MediaSelection, CancellingTheDialogLeavesNoListAndNothingToPlay) {
  chooseThree();
  choose({});

  EXPECT_EQ(ui.texts(), QStringList{"Nothing or too many items selected!"});
  EXPECT_TRUE(media->ListBox1->isHidden());
  EXPECT_EQ(media->ListBox1->count(), 0);
  for (QWidget* transport : std::initializer_list<QWidget*>{
           media->Button1, media->Button2, media->Button3, media->Button4, media->Button5,
           media->CheckBox1, media->Button17, media->Button18})
    EXPECT_FALSE(transport->isEnabled()) << transport->objectName().toStdString();
  EXPECT_FALSE(media->SavePlayList2->isEnabled());
  EXPECT_TRUE(media->Label7->text().isEmpty());
  EXPECT_EQ(media->HorizontalExtent, 30);
}

TEST_F(MediaSelection, PlayListModeSwitchesFromTheMenuAndTheRightButtonWithTheirOwnCaptions) {
  media->Play1Click();
  EXPECT_EQ(media->Button12->text(), "Select Pla&y List");
  EXPECT_EQ(media->Play1->text(), "Play &List is ON");

  media->Button12MouseDown(Qt::LeftButton);
  EXPECT_TRUE(media->PlayListMode);

  media->Button12MouseDown(Qt::RightButton);
  EXPECT_FALSE(media->PlayListMode);
  EXPECT_EQ(media->Button12->text(), "Select S&ound && Video");
  EXPECT_EQ(media->Play1->text(), "Play List is OFF");
}

TEST_F(MediaSelection, ASavedPlayListOfTheTickedLinesFillsTheListAgainAsTheListInUse) {
  chooseThree();
  media->ListBox1->item(1)->setCheckState(Qt::Unchecked);  // the user unticks Two.MID
  const QString listFile = folder.filePath("songs.qpl");
  ui.expectSaveFile(listFile);
  media->SavePlayList2Click();
  ASSERT_TRUE(QFile::exists(folder.filePath("songs.QPL")));

  media->Play1Click();
  ui.clear();
  ui.expectOpenFiles({folder.filePath("songs.QPL")});
  media->Button12Click();

  EXPECT_EQ(lineTexts(), (QStringList{folder.filePath("A/One.WAV").toLower(),
                                      folder.filePath("A/Three.MP3").toLower()}));
  EXPECT_EQ(ticks(), (std::vector<bool>{true, true}));
  EXPECT_TRUE(media->NamesFromList);
  EXPECT_TRUE(media->PlayListInUse);
  EXPECT_EQ(media->Label7->text(), "Selected: 2");
  EXPECT_EQ(media->Lines.line(1).path, folder.filePath("A/Three.MP3"));

  // Files dropped in play-list mode come from no play list.
  media->FillWithFiles({folder.filePath("A/One.WAV")});
  EXPECT_FALSE(media->PlayListInUse);
}

TEST_F(MediaSelection, ARefusedPlayListCountsAsNothingChosen) {
  const QString notAList = makeFiles({"notes.qpl"}).first();
  media->Play1Click();
  ui.expectOpenFiles({notAList});
  media->Button12Click();

  EXPECT_TRUE(ui.texts().contains("Nothing or too many items selected!"));
  EXPECT_FALSE(media->PlayListInUse);
  EXPECT_TRUE(media->ListBox1->isHidden());
}

TEST_F(MediaSelection, SavingWithNothingTickedIsRefused) {
  chooseThree();
  for (int row = 0; row < 3; ++row) media->ListBox1->item(row)->setCheckState(Qt::Unchecked);
  ui.clear();
  media->SavePlayList2Click();
  EXPECT_EQ(ui.texts(), QStringList{"No point, there are no files selected!"});
}

TEST_F(MediaSelection, OnlyTheUsersTickingChangesTheCount) {
  chooseThree();
  media->ListBox1->item(0)->setCheckState(Qt::Unchecked);
  media->ListBox1->item(2)->setCheckState(Qt::Unchecked);
  EXPECT_EQ(media->Label7->text(), "Selected: 1");
  media->ListBox1->item(2)->setCheckState(Qt::Checked);
  EXPECT_EQ(media->SelectedCount, 2);
  EXPECT_EQ(media->Label7->text(), "Selected: 2");
}

TEST_F(MediaSelection, ClickingALineMakesItTheNextToPlayAndWithoutAHighlightSaysSo) {
  chooseThree();
  media->ListBox1->setCurrentRow(2);
  media->ListBox1Click(media->ListBox1);
  EXPECT_EQ(media->Sequence.PlayCursor(), 2);
  EXPECT_EQ(media->CurrentFileName, lineTexts()[2]);

  media->ListBox1->setCurrentRow(-1);
  ui.clear();
  media->ListBox1Click(media->ListBox1);
  media->ListBox1KeyDown(Qt::Key_Return);
  EXPECT_EQ(ui.texts(), (QStringList{"No File Hi-Lighted", "No File Hi-Lighted"}));
  EXPECT_EQ(media->Sequence.PlayCursor(), 2);
}

TEST_F(MediaSelection, DoubleClickTicksTheLineAndArmsPlaybackFromIt) {
  chooseThree();
  for (int row = 0; row < 3; ++row) media->ListBox1->item(row)->setCheckState(Qt::Unchecked);
  media->ListBox1->setCurrentRow(1);
  media->ListBox1DblClick(media->ListBox1);

  EXPECT_EQ(ticks(), (std::vector<bool>{false, true, false}));
  EXPECT_EQ(media->Sequence.PlayCursor(), 1);
  EXPECT_EQ(media->Label7->text(), "Selected: 1");
  EXPECT_TRUE(media->Timer1->Enabled());
  EXPECT_TRUE(media->Button3->isEnabled());
}

TEST_F(MediaSelection, PlayWithNoTickedLineFromTheHighlightOnwardsStopsAndSaysWhy) {
  chooseThree();
  media->ListBox1->item(1)->setCheckState(Qt::Unchecked);
  media->ListBox1->item(2)->setCheckState(Qt::Unchecked);
  media->ListBox1->setCurrentRow(1);
  ui.clear();
  media->Button1Click(media->Button1);

  ASSERT_EQ(ui.texts().size(), 1);
  EXPECT_TRUE(ui.texts()[0].startsWith("There are no more selections."));
  EXPECT_EQ(media->Sequence.PlayCursor(), 0);
  EXPECT_FALSE(media->Timer1->Enabled());
}

TEST_F(MediaSelection, EscapeAsksARunningSearchToEnd) {
  media->ListBox1KeyDown(Qt::Key_Escape);
  EXPECT_TRUE(media->SearchAbortRequested);
}

}  // namespace
