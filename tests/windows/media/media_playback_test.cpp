// Playing the ticked lines one after another on the fake devices and the
// fake MPEG library, with both timers ticked as the clock moves.
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>
#include <QProgressBar>
#include <QRadioButton>
#include <QSlider>

#include "media_playback_fixture.h"

namespace {

using MediaPlayback = MediaPlaybackFixture;

const QString kNoMoreSelections =
    "There are no more selections.\r\rPlease select (tick) and highlight a file from\rwhere you "
    "wish "
    "Auto Play to begin.";

TEST_F(MediaPlayback, PlaysTheTickedLinesInTurnByTheirDevicesAndEndsQuietly) {
  chooseFiles({{"a.wav", 2}, {"b.wav", 2}, {"c.mp3", 1}});
  untick(1);
  ui.allowMessages(false);
  media->Button1Click(media->Button1);
  EXPECT_TRUE(media->Timer1->Enabled());

  run(1000);
  EXPECT_EQ(playing(), "Playing: 1 of 3");
  EXPECT_EQ(media->Label1->text(), "A.WAV");
  EXPECT_EQ(media->MediaPlayer1->mode(), DeviceMode::Playing);
  EXPECT_FALSE(media->Tools1->menuAction()->isEnabled());

  run(2000);
  EXPECT_EQ(playing(), "Playing: 3 of 3");
  EXPECT_EQ(media->Label1->text(), "C.MP3");
  EXPECT_TRUE(media->Sequence.MpegActive());
  EXPECT_EQ(mpeg->mode, 3);
  ASSERT_EQ(mpeg->opened.size(), 1u);
  EXPECT_TRUE(QString::fromStdString(mpeg->opened[0]).endsWith("/c.mp3"));

  run(1500);
  EXPECT_TRUE(ui.shown().empty());
  EXPECT_EQ(media->Sequence.PlayCursor(), 0);
  EXPECT_EQ(playing(), "");
  EXPECT_EQ(media->Label1->text(), "");
  EXPECT_FALSE(media->Timer1->Enabled());
  EXPECT_FALSE(media->Sequence.MpegActive());
  EXPECT_TRUE(media->Tools1->menuAction()->isEnabled());
  EXPECT_FALSE(media->Button3->isEnabled());
}

TEST_F(MediaPlayback, NothingTickedAfterAnMpegFileIsSaidAtItsEnd) {
  chooseFiles({{"a.mp3", 1}, {"b.wav", 1}});
  untick(1);
  media->Button1Click(media->Button1);
  run(1000);
  EXPECT_EQ(playing(), "Playing: 1 of 2");
  run(1500);
  EXPECT_EQ(ui.texts(), QStringList{kNoMoreSelections});
  EXPECT_EQ(media->Sequence.PlayCursor(), 0);
  EXPECT_FALSE(media->Timer1->Enabled());
}

TEST_F(MediaPlayback, PlayFromAnUntickedLineStartsBelowItAndNeverWrapsAround) {
  chooseFiles({{"a.wav", 1}, {"b.wav", 1}, {"c.wav", 1}});
  untick(1);
  media->ListBox1->setCurrentRow(1);
  media->Button1Click(media->Button1);
  run(1000);
  EXPECT_EQ(playing(), "Playing: 3 of 3");

  media->Button2Click(media->Button2);
  untick(2);
  media->ListBox1->setCurrentRow(1);
  ui.clear();
  media->Button1Click(media->Button1);
  EXPECT_EQ(ui.texts(), QStringList{kNoMoreSelections});
  EXPECT_FALSE(media->Timer1->Enabled());
}

TEST_F(MediaPlayback, AClickedLineIsWhereTheSequenceGoesOn) {
  chooseFiles({{"a.wav", 2}, {"b.wav", 2}, {"c.wav", 2}, {"d.wav", 2}});
  media->Button1Click(media->Button1);
  run(1000);
  EXPECT_EQ(playing(), "Playing: 1 of 4");
  media->ListBox1->setCurrentRow(3);
  media->ListBox1Click(media->ListBox1);
  run(2000);
  EXPECT_EQ(playing(), "Playing: 4 of 4");
  EXPECT_EQ(media->Label1->text(), "D.WAV");
}

TEST_F(MediaPlayback, TheClockCountsDownTheRemainingTimeAndTheGaugeFalls) {
  chooseFiles({{"long.wav", 180}});
  media->RadioGroup1Remaining->setChecked(true);
  media->Button1Click(media->Button1);
  run(1000);
  EXPECT_EQ(media->Label5->text(), "Play time: 3:00");
  EXPECT_EQ(media->Label2->text(), "File size: 5");
  run(1000);
  EXPECT_EQ(clock(), "2:59");
  EXPECT_EQ(media->Gauge1->value(), 179);
  EXPECT_EQ(media->TrackBar1->value(), 1000);
  run(60000);
  EXPECT_EQ(clock(), "1:59");
  EXPECT_EQ(media->Gauge1->value(), 119);

  media->RadioGroup1Elapsed->setChecked(true);
  EXPECT_EQ(state().settings.Time, 1);
  run(1000);
  EXPECT_EQ(clock(), "1:02");
}

TEST_F(MediaPlayback, AFileThatCannotBeOpenedAsksByItsNameTellsWhyAndNoStops) {
  const QStringList paths = chooseFiles({{"a.wav", 1}, {"b.wav", 1}});
  devices.addBrokenFile(paths[0], "no driver");
  ui.expectQuestion(Answer::No);
  testing::internal::CaptureStderr();
  media->Button1Click(media->Button1);
  run(1000);
  EXPECT_NE(testing::internal::GetCapturedStderr().find("corvela: " + paths[0].toStdString() +
                                                        ": no driver\n"),
            std::string::npos)
      << "the reason, which the box leaves out";
  ASSERT_EQ(ui.shown().size(), 1u);
  EXPECT_EQ(ui.shown()[0].caption, paths[0]);
  EXPECT_TRUE(ui.shown()[0].text.startsWith("Sorry, unable to play the above file\r"));
  EXPECT_FALSE(media->CheckBox1->isChecked());
  EXPECT_FALSE(media->Timer1->Enabled());
  EXPECT_EQ(media->Sequence.PlayCursor(), 0);
}

TEST_F(MediaPlayback, YesToAFileThatCannotBeOpenedGoesOnWithTheNextTickedLine) {
  chooseFiles({{"a.mp3", 1}, {"b.wav", 1}});
  mpeg->lengths.clear();  // the MPEG library cannot read a.mp3
  ui.expectQuestion(Answer::Yes);
  media->Button1Click(media->Button1);
  run(1000);
  EXPECT_FALSE(media->Sequence.MpegActive());
  EXPECT_TRUE(media->Timer1->Enabled());
  run(1000);
  EXPECT_EQ(playing(), "Playing: 2 of 2");
}

TEST_F(MediaPlayback, NextAndPreviousRunOffTheEndsWithThreeBeeps) {
  chooseFiles({{"a.wav", 5}, {"b.wav", 5}, {"c.wav", 5}});
  untick(0);
  media->ListBox1->setCurrentRow(1);
  media->Button1Click(media->Button1);
  run(1000);
  media->Button4Click(media->Button4);
  EXPECT_EQ(playing(), "Playing: 3 of 3");
  EXPECT_EQ(ui.beeps(), 0);

  media->Button4Click(media->Button4);
  EXPECT_EQ(ui.beeps(), 3);
  EXPECT_EQ(media->MediaPlayer1->mode(), DeviceMode::NotReady);
  EXPECT_EQ(playing(), "");
  EXPECT_FALSE(media->Timer1->Enabled());

  media->ListBox1->setCurrentRow(2);
  media->Button5Click(media->Button5);
  EXPECT_EQ(playing(), "Playing: 2 of 3");
  EXPECT_EQ(ui.beeps(), 3);
  media->Button5Click(media->Button5);
  EXPECT_EQ(ui.beeps(), 6);
  EXPECT_EQ(media->ListBox1->currentRow(), 0);
  EXPECT_EQ(playing(), "");
}

TEST_F(MediaPlayback, TheSliderResumesAnMciFileFromThePointChosen) {
  chooseFiles({{"a.wav", 60}});
  media->RadioGroup1Elapsed->setChecked(true);
  media->Button1Click(media->Button1);
  run(3000);
  media->TrackBar1->setFocus();
  media->TrackBar1->setValue(30000);
  EXPECT_EQ(media->MediaPlayer1->mode(), DeviceMode::Playing);
  EXPECT_EQ(media->MediaPlayer1->position(), 30000u);
  EXPECT_TRUE(media->Timer1->Enabled());
  run(1000);
  EXPECT_EQ(clock(), "0:31");
  EXPECT_NE(media->focusWidget(), media->TrackBar1);
}

TEST_F(MediaPlayback, TheSliderSeeksAnMpegFileWithoutStoppingIt) {
  chooseFiles({{"a.mp3", 60}});
  media->Button1Click(media->Button1);
  run(2000);
  media->TrackBar1->setFocus();
  media->TrackBar1->setValue(40000);
  EXPECT_EQ(mpeg->position, 40000);
  EXPECT_EQ(mpeg->mode, 3);
  EXPECT_TRUE(media->MPlayer1->UseTimer());
  run(500);
  EXPECT_EQ(clock(), "0:19");  // remaining time, the choice at creation

  // A seek that fails leaves the position reports on, and so the file's end.
  mpeg->seekFails = true;
  ui.allowMessages();
  media->TrackBar1->setFocus();
  media->TrackBar1->setValue(10000);
  EXPECT_TRUE(media->MPlayer1->UseTimer());
  EXPECT_EQ(ui.shown().size(), 1u);
}

TEST_F(MediaPlayback, PauseHoldsEitherDeviceAndResumes) {
  chooseFiles({{"a.wav", 5}, {"b.mp3", 5}});
  media->Button1Click(media->Button1);
  run(1000);
  media->Button3Click();
  EXPECT_EQ(media->MediaPlayer1->mode(), DeviceMode::Paused);
  EXPECT_FALSE(media->Timer1->Enabled());
  EXPECT_FALSE(media->Button1->isEnabled());
  media->Button3Click();
  EXPECT_EQ(media->MediaPlayer1->mode(), DeviceMode::Playing);
  EXPECT_TRUE(media->Button4->isEnabled());

  media->Button4Click(media->Button4);
  ASSERT_TRUE(media->Sequence.MpegActive());
  media->Button3Click();
  EXPECT_EQ(mpeg->mode, 4);
  EXPECT_TRUE(media->Sequence.MpegPaused());
  media->Button3Click();
  EXPECT_EQ(mpeg->mode, 3);
}

TEST_F(MediaPlayback, AStoppedPauseIsGoneAndTheNextMpegFilePauses) {
  chooseFiles({{"a.mp3", 5}, {"b.mp3", 5}});
  media->Button1Click(media->Button1);
  run(1000);
  media->Button3Click();
  media->Button2Click(media->Button2);
  EXPECT_EQ(mpeg->mode, 0);
  run(1000);
  EXPECT_EQ(clock(), "");

  media->ListBox1->setCurrentRow(1);
  media->Button1Click(media->Button1);
  run(1000);
  media->Button3Click();
  EXPECT_EQ(mpeg->mode, 4);
}

TEST_F(MediaPlayback, APausedMpegFileEndsWithANewList) {
  chooseFiles({{"a.mp3", 5}});
  media->Button1Click(media->Button1);
  run(1000);
  media->Button3Click();
  chooseFiles({{"b.wav", 5}});
  EXPECT_EQ(mpeg->mode, 0);
  EXPECT_FALSE(media->Sequence.MpegActive());
  run(1000);
  EXPECT_EQ(clock(), "");
}

TEST_F(MediaPlayback, AnMpegFileWhoseOutputFailsAsksWhetherToGoOn) {
  const QStringList paths = chooseFiles({{"a.mp3", 5}, {"b.mp3", 5}});
  mpeg->outputFailsAt = 1000;
  media->Button1Click(media->Button1);
  run(1000);
  ui.expectQuestion(Answer::Yes);
  run(1500);
  ASSERT_EQ(ui.shown().size(), 1u);
  EXPECT_EQ(ui.shown()[0].caption, paths[0]);
  mpeg->outputFailsAt = -1;
  run(1000);
  EXPECT_EQ(playing(), "Playing: 2 of 2");
}

TEST_F(MediaPlayback, AnOutputFailingAfterAClickNamesTheFileThatFailed) {
  const QStringList paths = chooseFiles({{"a.mp3", 5}, {"b.mp3", 5}, {"c.mp3", 5}});
  media->Button1Click(media->Button1);
  run(1000);
  for (int clicked : {0, 2}) {
    media->ListBox1->setCurrentRow(clicked);
    media->ListBox1Click(media->ListBox1);
    mpeg->outputFailsAt = mpeg->position + 500;
    ui.expectQuestion(Answer::No);
    run(1000);
    ASSERT_FALSE(ui.shown().empty());
    EXPECT_EQ(ui.shown().back().caption, paths[0]);
    media->ListBox1->setCurrentRow(0);
    media->Button1Click(media->Button1);
    run(1000);
  }
}

TEST_F(MediaPlayback, TheKeyboardMovesThePlayCursorAndARightClickOnlyTheHighlight) {
  chooseFiles({{"a.wav", 5}, {"b.wav", 5}, {"c.wav", 5}, {"d.wav", 5}});
  media->Button1Click(media->Button1);
  run(1000);
  media->ListBox1->setFocus();
  for (int press = 0; press < 2; ++press) {
    QKeyEvent down(QEvent::KeyPress, Qt::Key_Down, Qt::NoModifier);
    QApplication::sendEvent(media->ListBox1, &down);
  }
  EXPECT_EQ(media->Sequence.PlayCursor(), 2);
  media->Button4Click(media->Button4);
  EXPECT_EQ(playing(), "Playing: 4 of 4");

  // A right click describes the line under the pointer, which it highlights;
  // the play cursor stays.
  ui.allowMessages();
  const QPoint onSecond = media->ListBox1->visualItemRect(media->ListBox1->item(1)).center();
  const QPoint global = media->ListBox1->viewport()->mapToGlobal(onSecond);
  QMouseEvent press(QEvent::MouseButtonPress, onSecond, global, Qt::RightButton, Qt::RightButton,
                    Qt::NoModifier);
  QApplication::sendEvent(media->ListBox1->viewport(), &press);
  EXPECT_TRUE(ui.texts().last().contains("b.wav"));
  EXPECT_EQ(media->ListBox1->currentRow(), 1);
  EXPECT_EQ(media->Sequence.PlayCursor(), 4);
}

TEST_F(MediaPlayback, AfterAFailedSaveTheLinesOfAPlayListStillPlayTheirFiles) {
  chooseFiles({{"old.wav", 5}});
  const QStringList songs = makeFiles({"Songs/New.WAV"});
  devices.addFile(songs[0], 5000);
  const QString listFile = folder.filePath("songs.QPL");
  QFile list(listFile);
  ASSERT_TRUE(list.open(QIODevice::WriteOnly));
  list.write(("Corvela Pro Play List\r\n" + songs[0] + "\r\n").toUtf8());
  list.close();
  media->Play1Click();
  ui.expectOpenFiles({listFile});
  media->Button12Click();
  ASSERT_EQ(media->ListBox1->count(), 1);

  ui.allowMessages();
  ui.expectSaveFile(folder.filePath("no/such/folder/x.qpl"));
  media->SavePlayList2Click();
  media->Button1Click(media->Button1);
  run(1000);
  EXPECT_EQ(media->Label1->text(), "NEW.WAV");
}

TEST_F(MediaPlayback, WithoutAutoPlayAFileEndsIdleAndNextOrPlayStartAnother) {
  chooseFiles({{"a.wav", 1}, {"b.wav", 1}});
  media->CheckBox1->setChecked(false);
  media->Button1Click(media->Button1);
  run(3000);
  EXPECT_EQ(playing(), "");
  EXPECT_FALSE(media->Timer1->Enabled());

  media->Button4Click(media->Button4);
  EXPECT_EQ(playing(), "Playing: 2 of 2");
  run(2000);
  EXPECT_EQ(playing(), "");

  // The stopped device of the file that ended does not keep Play from playing.
  media->ListBox1->setCurrentRow(0);
  media->Button1Click(media->Button1);
  run(1000);
  EXPECT_EQ(playing(), "Playing: 1 of 2");
}

TEST_F(MediaPlayback, TickingAutoPlayStartsFromTheTopAndUntickingStops) {
  chooseFiles({{"a.wav", 5}});
  media->CheckBox1->setChecked(false);
  media->CheckBox1->setChecked(true);
  EXPECT_TRUE(media->Timer1->Enabled());
  run(1000);
  EXPECT_EQ(playing(), "Playing: 1 of 1");
  media->CheckBox1->setChecked(false);
  EXPECT_EQ(media->MediaPlayer1->mode(), DeviceMode::NotReady);
  EXPECT_FALSE(media->Timer1->Enabled());
}

}  // namespace
