// The CD player walked at random: what a person can do with the whole window
// set, on the fake clock and the fake drive, with the disc swapped, taken out
// or made unreadable now and then, and the invariants below checked after
// every step. docs/cd-player.md tells how to run a longer walk.
#include <gtest/gtest.h>
#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QEvent>
#include <QLineEdit>

#include "cd_player_fixture.h"
#include "random_walk.h"
#include "windows/cd/single_track_dialog.h"
#include "windows/cd/standard_cd_player_window.h"
#include "windows/cd/status_checking_dialog.h"
#include "windows/media/media_player_window.h"
#include "windows/viewer/graphics_viewer_window.h"

namespace {

const std::vector<int> kDisc = {40, 35, 45, 30};
const std::vector<int> kOtherDisc = {50, 25, 60};

int draw(std::mt19937& random, int from, int to) {
  return std::uniform_int_distribution<int>(from, to)(random);
}

// A person at the whole window set, and what the walk made go wrong.
struct CdWorld : CdPlayerFixture {
  CdWorld() : CdPlayerFixture(kDisc) {
    ui.onEveryModal([this](QWidget* window) { actIn(window); });
    cd->show();
    activate(*cd);
  }

  FakeDriveState& drive() { return *devices.drive("virtual"); }
  std::uint32_t position() const {
    return cd->MediaPlayer1->isOpen() ? cd->MediaPlayer1->position() : 0;
  }
  bool coin() { return draw(*random, 0, 1) == 1; }

  static void activate(QWidget& window) {
    QEvent activation(QEvent::WindowActivate);
    QApplication::sendEvent(&window, &activation);
  }

  // The clock runs; each timer of the CD player ticks at its own interval.
  void wait(int milliseconds) {
    for (int elapsed = 0; elapsed < milliseconds; elapsed += 100) {
      devices.advance(100);
      tick(*cd->Timer1, sinceDisplayTick, [this] { cd->Timer1Timer(); });
      tick(*cd->Timer2, sinceStatusTick, [this] { cd->Timer2Timer(); });
    }
  }
  void tick(Timer& timer, int& since, const std::function<void()>& handler) {
    if (!timer.Enabled() || timer.Interval() <= 0) {
      since = 0;
      return;
    }
    since += 100;
    if (since < timer.Interval()) return;
    since = 0;
    cd->handleRequest(handler);
  }

  // A person in a modal window: the status dialog, the standard player, the reminder.
  void actIn(QWidget* window) {
    if (window == forms().Form6.get()) {
      TForm6& dialog = *forms().Form6;
      dialog.RadioGroup1Items->button(draw(*random, 0, 9))->click();
      (coin() ? dialog.BitBtn2 : dialog.BitBtn1)->click();
    } else if (window == forms().Form8.get()) {
      TForm8& player = *forms().Form8;
      for (int n = draw(*random, 0, 4); n > 0; --n) {
        const auto button = static_cast<TForm8::CDPlayerButton>(draw(*random, 0, 4));
        player.CDPlayerClick(button);
        devices.advance(draw(*random, 1, 30) * 100);
      }
      if (coin()) secondCopy();
      player.BitBtn1->click();
    }
  }

  // A second copy of the program starts: the window in use comes to the front.
  void secondCopy() {
    cd->ActivateRequested();
    if (forms().Form8->isVisible() && cd->isVisible())
      broken = "a second copy showed the hidden CD player beside the standard player";
  }

  // A failure was made to happen: boxes and errors are the program's answer to it.
  bool injected = false;
  bool mended = false;  // the failure is undone, and goes with the next Load
  std::mt19937* random = nullptr;
  std::string broken;  // what an action's own check found wrong
  int sinceDisplayTick = 0;
  int sinceStatusTick = 0;
  std::size_t boxesSeen = 0;
};

bool usable(QWidget* control) { return control && control->isVisible() && control->isEnabled(); }

void press(QAbstractButton* control) {
  if (usable(control)) control->click();
}

// A menu command of the CD player, while it is in front.
void choose(CdWorld& w, QAction* TForm1::*command) {
  if ((w.cd->*command)->isEnabled() && w.cd->isVisible()) (w.cd->*command)->trigger();
}

using Act = std::function<void(CdWorld&)>;

walk::Action<CdWorld> step(std::string name, Act act, int weight = 1) {
  return {std::move(name),
          [act](CdWorld& world, std::mt19937& random) {
            world.random = &random;
            // The answer to any question of this step, drawn aside from the step's own draws.
            std::mt19937 aside = random;
            world.ui.answerUnqueued(aside() % 2 ? Answer::Yes : Answer::No);
            // What a person does reaches the program through its guarded handlers.
            try {
              act(world);
            } catch (const std::exception& error) {
              world.broken = std::string("an error escaped the handlers: ") + error.what();
            }
          },
          weight};
}

template <class Control>
walk::Action<CdWorld> pressing(std::string name, Control* TForm1::*control, int weight = 1) {
  return step(
      std::move(name), [control](CdWorld& w) { press(w.cd->*control); }, weight);
}

// Stop then Play on a ticked track, from whatever state the walk is in:
// the track plays and its time goes on.
void stopThenPlay(CdWorld& w) {
  TForm1& cd = *w.cd;
  if (!cd.isVisible() || cd.CheckBox3->isChecked() || !cd.TrackBoxes[1] || w.injected) return;
  // The transport may be waiting for the next status tick to come back.
  if (!usable(cd.Button2)) w.wait(cd.Timer2->Interval() + 100);
  if (!usable(cd.Button2) || !usable(cd.Button1)) return;
  cd.Button2->click();
  if (!cd.AnyTrackTicked()) cd.TrackBoxes[draw(*w.random, 1, cd.ListedTrackCount)]->click();
  cd.Button1->click();
  const std::uint32_t from = w.position();
  w.wait(cd.Timer1->Interval() + 1000);
  if (w.position() == from || cd.Label3->text().isEmpty())
    w.broken = "Stop then Play: the time stands at \"" + w.time().toStdString() + "\"";
}

int lowestTicked(const TForm1& cd) {
  for (int n = 1; n <= cd.ListedTrackCount; ++n)
    if (cd.TrackBoxes[n] && cd.TrackBoxes[n]->isChecked()) return n;
  return 0;
}

// Play in track order plays the lowest ticked track, or says none is ticked.
void play(CdWorld& w) {
  TForm1& cd = *w.cd;
  if (!usable(cd.Button1)) return;
  const bool trackOrder = !cd.Playback.RandomMode && !cd.Playback.SelectMode;
  const int lowest = lowestTicked(cd);
  cd.Button1->click();
  if (!trackOrder || cd.Playback.RandomMode || cd.Playback.SelectMode || w.injected) return;
  if (cd.Playback.CurrentTrack != lowest)
    w.broken = "Play chose track " + std::to_string(cd.Playback.CurrentTrack) +
               ", the lowest ticked is " + std::to_string(lowest);
}

void slide(CdWorld& w) {
  QSlider& slider = *w.cd->TrackBar1;
  if (!usable(&slider)) return;
  slider.setFocus();
  slider.setValue(draw(*w.random, 0, slider.maximum()));
}

// The single track dialog stays open beside the player until it is used.
void playSingle(CdWorld& w) {
  TForm5& dialog = *w.forms().Form5;
  if (!dialog.isVisible()) return;
  dialog.Edit1->setText(QString::number(draw(*w.random, 0, static_cast<int>(kDisc.size()) + 1)));
  press(w.coin() ? dialog.Button1 : dialog.BitBtn1);
}

void toGraphics(CdWorld& w) {
  if (w.coin())
    press(w.cd->Button6);
  else
    choose(w, &TForm1::DisplayGraphicFiles1);
}

void toMediaPlayer(CdWorld& w) {
  if (w.coin())
    press(w.cd->Button12);
  else
    choose(w, &TForm1::PlayVideoMIDMPEGWAVfiles1);
}

// The media player or the viewer hands back, or the viewer hands over to the media player.
void handBack(CdWorld& w) {
  press(w.forms().Form4->Button7);
  if (w.coin())
    press(w.forms().Form9->Button3);
  else
    press(w.forms().Form9->Button4);
}

// Another program takes the focus, then gives it back.
void otherProgram(CdWorld& w) {
  QWidget* front = QApplication::activeWindow();
  for (Form* window : {static_cast<Form*>(w.cd), static_cast<Form*>(w.forms().Form4.get()),
                       static_cast<Form*>(w.forms().Form9.get())})
    if (window->isVisible()) front = window;
  if (!front) return;
  QEvent away(QEvent::WindowDeactivate);
  QApplication::sendEvent(front, &away);
  CdWorld::activate(*front);
}

void swapDisc(CdWorld& w) {
  w.injected = true;
  FakeDriveState& drive = w.drive();
  drive.disc = FakeMediaDeviceFactory::audioDisc(w.coin() ? kOtherDisc : kDisc);
}

void takeDiscOut(CdWorld& w) {
  w.injected = true;
  w.drive().disc = {};
}

void breakReading(CdWorld& w) {
  w.injected = true;
  w.drive().problem = "The disc cannot be read.";
}

// The first disc goes back in, readable; once it is loaded again, the walk
// is free of failures again.
void mendDisc(CdWorld& w) {
  FakeDriveState& drive = w.drive();
  drive.disc = FakeMediaDeviceFactory::audioDisc(kDisc);
  drive.problem.clear();
  drive.doorOpen = false;
  w.mended = w.injected;
}

void load(CdWorld& w) {
  const std::size_t boxes = w.ui.shown().size();
  if (!usable(w.cd->Button7)) return;
  w.cd->Button7->click();
  if (w.mended && w.state().DiscLoaded && w.ui.shown().size() == boxes)
    w.injected = w.mended = false;
}

std::vector<walk::Action<CdWorld>> actions() {
  return {
      step("Load", load, 2),
      pressing("Eject", &TForm1::Button8),
      step("Play", play, 4),
      pressing("Stop", &TForm1::Button2, 2),
      pressing("Pause", &TForm1::Button3, 3),
      pressing("Next", &TForm1::Button4, 3),
      pressing("Previous", &TForm1::Button5, 2),
      step(
          "Tick",
          [](CdWorld& w) {
            if (w.cd->TrackBoxes[1])
              press(w.cd->TrackBoxes[draw(*w.random, 1, w.cd->ListedTrackCount)]);
          },
          2),
      pressing("All", &TForm1::Button9),
      pressing("None", &TForm1::Button10),
      pressing("Random", &TForm1::CheckBox2),
      pressing("Select", &TForm1::CheckBox4),
      pressing("Intro", &TForm1::IntroScan),
      step("Slide", slide),
      pressing("Cont", &TForm1::Button14),
      pressing("Single", &TForm1::Button13),
      step("PlaySingle", playSingle),
      step("StatusChecking", [](CdWorld& w) { choose(w, &TForm1::SetStatusChecking1); }),
      pressing("NormalCdPlayer", &TForm1::CheckBox3, 2),
      step("Graphics", toGraphics),
      step("MediaPlayer", toMediaPlayer),
      step("HandBack", handBack, 2),
      step("OtherProgram", otherProgram),
      step("SecondCopy", [](CdWorld& w) { w.secondCopy(); }),
      step("SwapDisc", swapDisc),
      step("TakeDiscOut", takeDiscOut),
      step("BreakReading", breakReading),
      step("MendDisc", mendDisc, 2),
      step(
          "Wait", [](CdWorld& w) { w.wait(draw(*w.random, 1, 60) * 100); }, 6),
      step("WaitLong", [](CdWorld& w) { w.wait(draw(*w.random, 10, 60) * 1000); }),
      step("StopThenPlay", stopThenPlay),
  };
}

using Check = std::optional<std::string>;

bool standardMode(CdWorld& w) { return w.cd->CheckBox3->isChecked(); }

std::vector<std::pair<std::string, walk::Invariant<CdWorld>>> invariants() {
  return {
      {"an action's own check",
       [](CdWorld& w) -> Check {
         if (w.broken.empty()) return std::nullopt;
         return w.broken;
       }},
      {"no error box without a failure",
       [](CdWorld& w) -> Check {
         const auto& shown = w.ui.shown();
         for (; w.boxesSeen < shown.size(); ++w.boxesSeen)
           if (shown[w.boxesSeen].box == UiDouble::Box::Error && !w.injected)
             return "\"" + shown[w.boxesSeen].text.toStdString() + "\"";
         return std::nullopt;
       }},
      {"the hourglass goes",
       [](CdWorld& w) -> Check {
         if (w.ui.cursor() == ScreenCursor::Normal) return std::nullopt;
         return "the hourglass is left on";
       }},
      {"one window in front",
       [](CdWorld& w) -> Check {
         int shown = 0;
         for (Form* window : {static_cast<Form*>(w.cd), static_cast<Form*>(w.forms().Form4.get()),
                              static_cast<Form*>(w.forms().Form8.get()),
                              static_cast<Form*>(w.forms().Form9.get())})
           shown += window->isVisible() ? 1 : 0;
         if (shown == 1) return std::nullopt;
         return std::to_string(shown) + " of the players are shown";
       }},
      {"at most one sound",
       [](CdWorld& w) -> Check {
         if (w.drive().sounds() <= 1) return std::nullopt;
         return std::to_string(w.drive().sounds()) + " sounds on the drive";
       }},
      {"stopped is silent",
       [](CdWorld& w) -> Check {
         if (!w.cd->isVisible() || standardMode(w) || !w.cd->Label2->text().isEmpty())
           return std::nullopt;
         if (w.drive().sounds() == 0) return std::nullopt;
         return "the window shows no track, yet the drive sounds";
       }},
      {"paused is silent",
       [](CdWorld& w) -> Check {
         if (!w.cd->Playback.PausedHere || w.drive().sounds() == 0) return std::nullopt;
         return "the window holds the disc paused, yet the drive sounds";
       }},
      {"the owner names the track heard",
       [](CdWorld& w) -> Check {
         TForm1& cd = *w.cd;
         // What the desktop and the other windows are told is what the window shows.
         if (!cd.isVisible() || standardMode(w) || w.injected || w.drive().sounds() == 0 ||
             cd.Label2->text().isEmpty())
           return std::nullopt;
         const std::optional<int> track = cd.Playback.trackPlaying();
         if (track && cd.Label2->text().startsWith(QString("Track %1 ").arg(*track)))
           return std::nullopt;
         return "the window shows \"" + cd.Label2->text().toStdString() + "\", the owner says " +
                (track ? std::to_string(*track) : std::string("none"));
       }},
      {"Pause has something to pause",
       [](CdWorld& w) -> Check {
         TForm1& cd = *w.cd;
         if (!usable(cd.Button3) || cd.Playback.PausedHere || cd.Timer1->Enabled() || w.injected)
           return std::nullopt;
         if (cd.MediaPlayer1->mode() == DeviceMode::Playing) return std::nullopt;
         return "Pause is enabled on a silent, unpaused disc";
       }},
      {"status checking in front",
       [](CdWorld& w) -> Check {
         TForm1& cd = *w.cd;
         // A slider drag holds the disc until "Cont"; a device error leaves the
         // timers to the next Stop.
         if (!cd.isVisible() || standardMode(w) || cd.Button14->isEnabled() || w.injected)
           return std::nullopt;
         if (cd.Timer1->Interval() > 0 && cd.Timer2->Interval() > 0 &&
             (cd.Timer1->Enabled() || cd.Timer2->Enabled() || !cd.TrackBoxes[1]))
           return std::nullopt;
         return "timers " + std::to_string(cd.Timer1->Interval()) + "/" +
                std::to_string(cd.Timer2->Interval()) +
                " ms, on: " + std::to_string(cd.Timer1->Enabled()) + "/" +
                std::to_string(cd.Timer2->Enabled());
       }},
  };
}

walk::Walker<CdWorld> walker() {
  return walk::Walker<CdWorld>([] { return std::make_unique<CdWorld>(); }, actions(), invariants());
}

}  // namespace

// Held back until the faults the walks found are mended.
TEST(CdWalk, RandomWalksKeepTheInvariants) {
  // 40 walks of 120 steps, about ten seconds; docs/cd-player.md has the longer run.
  walker().expectHolds(walk::budget(40, 120));
}

// Found by the walks: each sequence once broke an invariant.
struct Found {
  const char* name;
  std::vector<walk::Step> steps;
};

class CdWalkFound : public ::testing::TestWithParam<Found> {};

TEST_P(CdWalkFound, HoldsNow) { walker().expectReplayHolds(GetParam().steps); }

INSTANTIATE_TEST_SUITE_P(
    CdWalk, CdWalkFound,
    ::testing::Values(Found{"GraphicsRightAfterTheStandardPlayerShowsTheViewer",
                            {{"BreakReading", 346781109},
                             {"Load", 1222716560},
                             {"NormalCdPlayer", 98496876},
                             {"Graphics", 3975608503}}},
                      Found{"APauseEndsWithTheStandardPlayerAndTheWayBackNamesTheInterval",
                            {{"Load", 2152491998},
                             {"Play", 2065368211},
                             {"Pause", 2076514026},
                             {"NormalCdPlayer", 3822721434},
                             {"StopThenPlay", 1}}},
                      Found{"ADiscThatStopsReadingWhilePlayingLeavesTheDriveEmpty",
                            {{"Load", 3370571530},
                             {"Play", 1929015108},
                             {"BreakReading", 3629935843},
                             {"Pause", 1476066256},
                             {"Pause", 3847538012},
                             {"TakeDiscOut", 69049700},
                             {"WaitLong", 2024953017}}},
                      Found{"ASecondCopyInStandardModeBringsTheStandardPlayerForward",
                            {{"Load", 3763535765}, {"NormalCdPlayer", 4260539908}}},
                      Found{"ContAfterAPausePlaysOnAndEndsThePause",
                            {{"Load", 3506943497},
                             {"Random", 1323003051},
                             {"Pause", 3243476567},
                             {"Cont", 3100846574},
                             {"Pause", 1}}},
                      Found{"ASingleTrackTypedInRandomModeIsNotLeftForALaterPlay",
                            {{"Load", 1},
                             {"Single", 2},
                             {"Random", 3},
                             {"PlaySingle", 1},
                             {"Random", 5},
                             {"Play", 6}}}),
    [](const ::testing::TestParamInfo<Found>& found) { return std::string(found.param.name); });
