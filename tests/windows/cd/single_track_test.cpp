#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>

#include "cd_player_fixture.h"
#include "windows/cd/single_track_dialog.h"

namespace {

// The CD player with a loaded disc and the single track dialog opened from "Single".
struct SingleTrackFixture : CdPlayerFixture {
  explicit SingleTrackFixture(int tracks) : CdPlayerFixture(std::vector<int>(tracks, 70)) {
    load();
    ui.clear();
    dialog = forms().Form5.get();
    cd->Button13Click();
    QEvent activate(QEvent::WindowActivate);
    QApplication::sendEvent(dialog, &activate);
  }
  void type(const QString& text) { dialog->Edit1->setText(text); }
  void press(Qt::Key key) {
    QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(dialog->Edit1, &event);
  }

  TForm5* dialog = nullptr;
};

}  // namespace

TEST(SingleTrack, ThirtyThreeAndEnterPlaysTrack33WithNoBoxTicked) {
  SingleTrackFixture p(34);
  EXPECT_TRUE(p.dialog->isVisible());
  EXPECT_EQ(p.dialog->Label1->text(), "Enter Track selection 1 to 34");
  EXPECT_EQ(p.dialog->Edit1->text(), "1");
  p.type("33");
  p.press(Qt::Key_Return);
  EXPECT_EQ(p.cd->Playback.CurrentTrack, 33);
  EXPECT_EQ(p.cd->MediaPlayer1->mode(), DeviceMode::Playing);
  EXPECT_EQ(p.cd->Label2->text(), "Track 33  - 1:10");
  for (int n = 1; n <= 30; ++n) EXPECT_FALSE(p.cd->TrackBoxes[n]->isChecked()) << n;
  EXPECT_FALSE(p.dialog->isVisible());
  EXPECT_EQ(p.ui.cursor(), ScreenCursor::Normal);
}

TEST(SingleTrack, ATrackUpTo30TicksItsBox) {
  SingleTrackFixture p(34);
  p.type("12");
  p.dialog->Button1Click();
  EXPECT_EQ(p.cd->Playback.CurrentTrack, 12);
  EXPECT_TRUE(p.cd->TrackBoxes[12]->isChecked());
  EXPECT_FALSE(p.cd->TrackBoxes[11]->isChecked());
}

TEST(SingleTrack, NumbersThatAreNoTrackOfTheDiscAreCleared) {
  SingleTrackFixture p(34);
  for (const char* text : {"0", "35", "3a", "x", "99999999999"}) {
    p.type(text);
    EXPECT_EQ(p.dialog->Edit1->text(), "") << text;
  }
  p.type("34");
  EXPECT_EQ(p.dialog->Edit1->text(), "34");
  p.dialog->UpDown1->step(+1);
  EXPECT_EQ(p.dialog->Edit1->text(), "34") << "the arrows stop at the track count";
  p.dialog->UpDown1->step(-1);
  EXPECT_EQ(p.dialog->Edit1->text(), "33");
}

TEST(SingleTrack, ANumberBelowOneStaysOpenAndLeavesNoRequestBehind) {
  SingleTrackFixture p(34);
  p.type("-3");
  p.dialog->Button1Click();
  EXPECT_TRUE(p.dialog->isVisible());
  EXPECT_EQ(p.cd->Playback.SingleTrackRequest, 0);
  EXPECT_EQ(p.cd->MediaPlayer1->mode(), DeviceMode::Stopped);

  // With no box ticked, Play still says so instead of playing a track 0.
  p.cd->Button10Click();
  p.cd->Button1Click(p.cd->Button1);
  EXPECT_EQ(p.ui.texts().last(), "There are no Tracks selected!");
  EXPECT_EQ(p.cd->MediaPlayer1->mode(), DeviceMode::Stopped);
}

TEST(SingleTrack, EscapeClosesWithoutPlaying) {
  SingleTrackFixture p(34);
  p.type("5");
  p.press(Qt::Key_Escape);
  EXPECT_FALSE(p.dialog->isVisible());
  EXPECT_EQ(p.cd->MediaPlayer1->mode(), DeviceMode::Stopped);
}

TEST(SingleTrack, TheMenuCommandStopsPlayFirst) {
  CdPlayerFixture p({60, 60, 60});
  p.load();
  p.cd->Button1Click(p.cd->Button1);
  p.cd->PlayaSingleCDTrack1->trigger();
  EXPECT_EQ(p.cd->MediaPlayer1->mode(), DeviceMode::Stopped);
  EXPECT_TRUE(p.forms().Form5->isVisible());
}

TEST(SingleTrack, AOneTrackDiscHasNoDialog) {
  CdPlayerFixture p({60});
  p.load();
  p.ui.clear();
  p.cd->Button13Click();
  EXPECT_EQ(p.ui.texts(), QStringList{"No point, only one track!"});
  EXPECT_EQ(p.ui.shown()[0].box, UiDouble::Box::Warning);
  EXPECT_FALSE(p.forms().Form5->isVisible());
}
