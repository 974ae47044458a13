#include "program/forms.h"
#include "viewer_fixture.h"
#include "windows/cd/cd_player_window.h"
#include "windows/media/media_player_window.h"
#include "windows/viewer/graphic_type_chooser.h"

namespace {

TEST(GraphicListTools, FindTicksTheMatchWithoutCountingItUntilADoubleClickRecounts) {
  ViewerFixture f;
  const QString a = f.picture("a.bmp"), b = f.picture("b.jpg");
  f.select({a, b, f.picture("c.bmp")});
  f.userTick(1, false);
  ASSERT_EQ(f.viewer->Label3->text(), "2");
  f.ui.expectInput("JPG");
  f.viewer->Button19Click();
  EXPECT_EQ(f.viewer->ListBox1->currentRow(), 1);
  EXPECT_TRUE(f.ticked(1));
  EXPECT_EQ(f.viewer->Label1->text(), "Selected: 3 - Current: 2 of 3");
  EXPECT_EQ(f.viewer->Label3->text(), "2");
  EXPECT_EQ(f.viewer->SelectedCount, 2);

  f.ui.expectQuestion(Answer::No);  // b.jpg holds a bitmap: it cannot be shown
  f.viewer->ListBox1DblClick();
  EXPECT_EQ(f.viewer->SelectedCount, 3);
}

TEST(GraphicListTools, TypeChooserKeepsItsBoxesConsistentAndTicksByType) {
  ViewerFixture f;
  f.select({"/p/a.bmp", "/p/b.jpg", "/p/c.wmf"});
  TForm11& chooser = *f.forms().Form11;
  for (int box : {2, 3, 4, 5}) {
    chooser.CheckBoxes[box]->setChecked(true);
    chooser.BoxClick(box);
  }
  chooser.CheckBoxes[6]->setChecked(true);
  chooser.BoxClick(6);
  EXPECT_TRUE(chooser.CheckBoxes[0]->isChecked());
  for (int box = 1; box < 7; ++box) EXPECT_FALSE(chooser.CheckBoxes[box]->isChecked());

  chooser.CheckBoxes[5]->setChecked(true);
  chooser.BoxClick(5);  // JPG only
  chooser.FormActivate();
  EXPECT_EQ(chooser.CountLabels[3]->text(), "1");
  chooser.OKClick();
  EXPECT_FALSE(f.ticked(0));
  EXPECT_TRUE(f.ticked(1));
  EXPECT_EQ(f.viewer->Label3->text(), "1");

  chooser.CheckBoxes[5]->setChecked(false);
  chooser.BoxClick(5);
  EXPECT_TRUE(chooser.CheckBoxes[0]->isChecked());

  chooser.CheckBoxes[3]->setChecked(true);
  chooser.BoxClick(3);  // FIF: none in the list
  chooser.OKClick();
  EXPECT_EQ(f.ui.texts().last(), "No files found of type(s): \r\rFIF\r\r");
  EXPECT_TRUE(chooser.CheckBoxes[1]->isChecked());
  EXPECT_EQ(f.viewer->SelectedCount, 0);
}

TEST(GraphicListTools, FileDetailsNameWhatPlaysElsewhere) {
  ViewerFixture f;
  const QString a = f.picture("a.bmp");
  f.select({a});
  TForm1& cd = *f.forms().Form1;
  cd.Playback.CurrentTrack = 5;
  cd.Playback.PausedHere = true;
  f.viewer->ShowFileDetails(false);
  const QString cdDetails = f.ui.texts().last();
  EXPECT_TRUE(cdDetails.startsWith("Filename: " + a.toLower() + "\r\rFile Size: "));
  EXPECT_TRUE(cdDetails.endsWith("\r\rCD Track: 5 is playing")) << cdDetails.toStdString();

  // A sound the media player left playing behind the viewer.
  PlaySequence& media = f.forms().Form4->Sequence;
  f.devices.addFile("/Music/Song.wav", 3000);
  media.take(false);
  media.device().open("/Music/Song.wav");
  media.device().play();
  media.started("/Music/Song.wav");
  f.viewer->ShowFileDetails(true);
  EXPECT_TRUE(f.ui.texts().last().endsWith(
      "Graphic Height: 0\rGraphic Width:  0\r\rSound currently playing: SONG.WAV"));
}

}  // namespace
