#include <QAction>
#include <QProgressBar>

#include <gtest/gtest.h>

#include "media_player_fixture.h"
#include "platform/timer.h"
#include "widgets/drive_box.h"

namespace {

// Searches of a generated volume: the test's folder, offered as a drive.
struct MediaSearch : MediaPlayerFixture {
  MediaSearch() {
    media->DriveComboBox1->insertItem(0, folder.path());
    media->DriveComboBox1->setCurrentIndex(0);
    media->ComboBox1->addItems({"AVI", "MID", "MPEG", "MPG", "WAV", "ALL"});
  }
  void search(const QString& key) {
    media->ComboBox1->setCurrentText(key);
    media->Button6Click();
  }
  void expectWayOutAndFillingEnabled() {
    for (QWidget* control :
         std::initializer_list<QWidget*>{media->Button7, media->Button12, media->DriveComboBox1,
                                         media->ComboBox1, media->Button16})
      EXPECT_TRUE(control->isEnabled()) << control->objectName().toStdString();
    EXPECT_TRUE(media->ReturntoCDPlayer1->isEnabled());
    EXPECT_TRUE(media->DisplayGraphicFiles1->isEnabled());
    EXPECT_FALSE(media->SearchRunning);
    EXPECT_TRUE(media->Animate1->isHidden());
  }
};

TEST_F(MediaSearch, FindsEveryFileOfTheTypeTickedAndReadyToPlay) {
  makeFiles({"Bell.WAV", "Deep/Song.mp3", "Deep/Tune.mid", "Deep/Er/Clip.MP2", "notes.txt"});
  search("MPEG");

  EXPECT_EQ(lineTexts(), (QStringList{folder.filePath("Deep/Song.mp3").toLower(),
                                      folder.filePath("Deep/Er/Clip.MP2").toLower()}));
  EXPECT_EQ(ticks(), (std::vector<bool>{true, true}));
  EXPECT_EQ(media->Label7->text(), "Selected: 2");
  EXPECT_EQ(media->ListBox1->currentRow(), 0);
  EXPECT_TRUE(media->NamesFromList);
  EXPECT_EQ(media->LastIndex, 1);
  EXPECT_TRUE(media->Button1->isEnabled());
  EXPECT_TRUE(media->Button2->isEnabled());
  EXPECT_FALSE(media->Button3->isEnabled());
  EXPECT_TRUE(media->SavePlayList2->isEnabled());
  expectWayOutAndFillingEnabled();
}

TEST_F(MediaSearch, NothingPlaysOrIsSavedWhileTheSearchRuns) {
  choose(makeFiles({"old.mid"}));
  makeFiles({"a.wav", "b.wav", "c.wav"});
  bool offered = false;  // Save Play List or "&Graphics" during the search
  ui.onProcessMessages([&] {
    if (media->ListBox1->count() > 0) {
      media->ListBox1->setCurrentRow(0);
      media->ListBox1DblClick(media->ListBox1);
      media->ListBox1KeyDown(Qt::Key_Return);
    }
    offered = offered || media->SavePlayList2->isEnabled() || media->Button16->isEnabled();
  });
  search("WAV");
  EXPECT_FALSE(offered);
  EXPECT_FALSE(media->Timer1->Enabled());
  EXPECT_EQ(media->ListBox1->count(), 3);
}

TEST_F(MediaSearch, ADriveWithoutFilesOfTheKeySaysSoAndLeavesAnEmptyList) {
  makeFiles({"Tune.mid", "Deep/Clip.avi"});
  search("WAV");
  EXPECT_EQ(ui.texts(), QStringList{"No WAV files found on drive " + folder.path()});

  ui.clear();
  QDir(folder.path()).removeRecursively();
  QDir().mkpath(folder.path());
  search("ALL");
  EXPECT_EQ(ui.texts(),
            QStringList{"No AVI, MPEG, MPG, MID or WAV files found on drive " + folder.path()});
  EXPECT_EQ(media->ListBox1->count(), 0);
  EXPECT_FALSE(media->ListBox1->isHidden());
  EXPECT_FALSE(media->Button1->isEnabled());
  EXPECT_FALSE(media->SavePlayList2->isEnabled());
  expectWayOutAndFillingEnabled();
}

TEST_F(MediaSearch, ADriveThatCannotBeEnteredIsReportedAndNothingIsSearched) {
  media->DriveComboBox1->setItemText(0, folder.filePath("gone"));
  search("ALL");
  EXPECT_EQ(ui.texts(), QStringList{"There is a problem reading drive " + folder.filePath("gone")});
  EXPECT_EQ(ui.shown().front().box, UiDouble::Box::Error);
  EXPECT_FALSE(media->Button1->isEnabled());
  expectWayOutAndFillingEnabled();
}

TEST_F(MediaSearch, ASecondClickWhileSearchingIsIgnored) {
  makeFiles({"Bell.wav"});
  media->SearchRunning = true;
  search("WAV");
  EXPECT_EQ(media->ListBox1->count(), 0);
  EXPECT_TRUE(ui.texts().isEmpty());
}

}  // namespace
