// The media player walked at random: what a person can do, on every kind of
// line, with failures injected, and the player's promises checked after every
// step. docs/media-player.md tells the invariants, the failures and the budget.
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QProgressBar>
#include <QRadioButton>
#include <QSlider>
#include <algorithm>
#include <cmath>
#include <set>

#include "media_playback_fixture.h"
#include "platform/taskbar.h"
#include "random_walk.h"
#include "services/media_device/output_volume.h"
#include "widgets/colour_box.h"
#include "widgets/drive_box.h"
#include "windows/cd/cd_player_window.h"
#include "windows/media/full_screen_video_window.h"
#include "windows/media/media_kind.h"
#include "windows/media/media_type_chooser.h"
#include "windows/viewer/graphics_viewer_window.h"

namespace {

const QStringList kExtensions = {"wav", "mid", "mp3", "mp2", "avi", "mpg"};

// What the player may say of its own accord, by the opening words.
const QStringList kOwnBoxes = {"No File(s) Selected",
                               "No File Hi-Lighted",
                               "There are no more selections.",
                               "Nothing or too many items selected!",
                               "No point, there are no files selected!",
                               "Filename: ",
                               "Play List: ",
                               "Do you wish to leave your selection(s) playing?",
                               "           None or no more found.",
                               "No files found of type(s)",
                               "No AVI, MPEG, MPG, MID or WAV files found",
                               "Disk search aborted!",
                               "No "};
const QString kFailurePrompt = "Sorry, unable to play the above file";

bool isMpegAudio(const QString& path) { return mediaKindOf(path) == MediaKind::MpegAudio; }

struct MediaWalk : MediaPlaybackWorld {
  MediaWalk() {
    ui.allowMessages();
    ui.answerOthersWith([this](const QString&) { return pick(2) == 0 ? Answer::Yes : Answer::No; });
    media->DriveComboBox1->insertItem(0, folder.path());
    media->DriveComboBox1->setCurrentIndex(0);
    setOutputVolume(1);  // as an earlier walk may have left it
  }

  int pick(int choices) { return static_cast<int>((*random)() % static_cast<unsigned>(choices)); }

  // A person reaches a control only while it shows, is enabled and its window is not minimised.
  static bool reachable(const QWidget* control) {
    return control->isVisible() && control->isEnabled() && !control->window()->isMinimized();
  }
  bool listReachable() const { return reachable(media->ListBox1) && media->ListBox1->count() > 0; }
  TForm16& fullScreen() { return *forms().Form16; }

  // New files of random kinds and lengths, known to the devices.
  QStringList newFiles(int count) {
    QStringList names;
    for (int n = 0; n < count; ++n)
      names << QString("f%1.%2").arg(made++).arg(kExtensions[pick(int(kExtensions.size()))]);
    const QStringList paths = makeFiles(names);
    for (const QString& path : paths) {
      const int lengthMs = (1 + pick(4)) * 1000;
      if (isMpegAudio(path))
        mpeg->lengths[path.toStdString()] = lengthMs;
      else
        devices.addFile(path, lengthMs);
    }
    return paths;
  }
  QString playListOf(const QStringList& paths) {
    const QString name = folder.filePath(QString("list%1.qpl").arg(made++));
    QFile list(name);
    list.open(QIODevice::WriteOnly);
    list.write(("Corvela Pro Play List\r\n" + paths.join("\r\n") + "\r\n").toUtf8());
    // Without paths the list holds one empty line, an entry no device can open.
    if (paths.isEmpty()) failing.insert(QString());
    return name;
  }
  QString randomLine() {
    const int row = pick(media->ListBox1->count());
    return media->Lines.line(row).path;
  }
  // The file can no longer be played: gone from its device, and sometimes from the disk.
  void breakFile(const QString& path, bool missing) {
    failing.insert(path);
    if (isMpegAudio(path))
      mpeg->lengths.erase(path.toStdString());
    else
      devices.addBrokenFile(path, "no driver");
    if (missing) {
      QFile::remove(path);
      this->missing.insert(path.toLower());
    }
  }

  void activate(TForm4& window) {
    if (window.isVisible() && !window.isMinimized()) window.FormActivate();
  }
  void rightClickLine() {
    const int row = pick(media->ListBox1->count());
    const QPoint at = media->ListBox1->visualItemRect(media->ListBox1->item(row)).center();
    QMouseEvent press(QEvent::MouseButtonPress, at, media->ListBox1->viewport()->mapToGlobal(at),
                      Qt::RightButton, Qt::RightButton, Qt::NoModifier);
    QApplication::sendEvent(media->ListBox1->viewport(), &press);
  }
  void pressKey(QWidget* target, int key) {
    QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier);
    QApplication::sendEvent(target, &down);
  }

  // What the window system does after each step: a full-screen window just
  // shown becomes the active one, and a box or dialog of the program's own
  // hands the activation back to the media player as it closes.
  void settle(std::size_t boxesBefore, bool dialogShown) {
    if (fullScreen().isVisible() && !media->isMinimized() && fullScreen().Tag == 1)
      fullScreen().FormActivate();
    if (dialogShown || ui.shown().size() > boxesBefore) activate(*media);
  }

  // Something holds a file: the device or the MPEG component has it playing or paused.
  bool mciHeld() const {
    const DeviceMode mode = media->MediaPlayer1->mode();
    return mode == DeviceMode::Playing || mode == DeviceMode::Paused;
  }
  bool mpegHeld() const { return mpeg->mode == 3 || mpeg->mode == 4; }
  bool videoHeld() const { return mciHeld() && isVideo(devices.openFile().toLower()); }

  std::mt19937* random = nullptr;
  int made = 0;
  std::set<QString> failing;  // files made to fail; only they may be named by the prompt
  // The output is to fail, for the MPEG file that plays or, if that one is left
  // before, the next one.
  std::optional<std::size_t> outputFailsFrom;  // in the MPEG library's list of opened files
  bool outputFailedFor(const QString& file) {
    if (!outputFailsFrom) return false;
    const auto& opened = mpeg->opened;
    const bool among = std::find(opened.begin() + long(*outputFailsFrom), opened.end(),
                                 file.toStdString()) != opened.end();
    if (among) outputFailsFrom.reset();
    return among;
  }
  std::set<QString> missing;  // files gone from the disk, which the details box cannot find
  bool errorBoxAllowed = false;  // a seek was made to fail in this step
  std::size_t boxesChecked = 0;
  QString freshStartFailed;
  QString searchBroken;  // what an action taken inside a drive search set going
};

// What a person may do while a drive search runs: the search processes
// messages for every file it finds, and only Escape is meant to act.
void actInsideSearch(MediaWalk& w, int choice) {
  TForm4& m = *w.media;
  QListWidget& list = *m.ListBox1;
  if (choice == 0) {
    w.pressKey(&list, Qt::Key_Escape);
  } else if (list.count() > 0 && choice < 4) {
    list.setCurrentRow(w.pick(list.count()));
    if (choice == 1) emit list.itemDoubleClicked(list.currentItem());
    if (choice == 2) w.pressKey(&list, Qt::Key_Return);
    if (choice == 3) w.rightClickLine();
  } else {
    QAbstractButton* buttons[] = {m.Button1, m.Button4, m.Button16, m.Button7, m.Button12};
    QAbstractButton* button = buttons[w.pick(5)];
    if (MediaWalk::reachable(button)) button->click();
  }
  if (!m.SearchRunning) return;
  const bool held = w.mciHeld() || w.mpeg->mode == 3;
  if (held || m.Timer1->Enabled()) w.searchBroken = "playback started inside the drive search";
  if (m.Button16->isEnabled() || m.SavePlayList2->isEnabled())
    w.searchBroken = "a way out or Save Play List is enabled inside the drive search";
}

using Step = std::function<void(MediaWalk&)>;

walk::Action<MediaWalk> action(std::string name, Step step, int weight = 1) {
  return {std::move(name),
          [step = std::move(step)](MediaWalk& world, std::mt19937& random) {
            world.random = &random;
            const std::size_t boxes = world.ui.shown().size();
            step(world);
            world.settle(boxes, false);
          },
          weight};
}

// A control pressed, when a person could press it.
walk::Action<MediaWalk> click(std::string name, std::function<QAbstractButton*(TForm4&)> control,
                              int weight = 1) {
  return action(
      std::move(name),
      [control](MediaWalk& w) {
        QAbstractButton* button = control(*w.media);
        if (MediaWalk::reachable(button)) button->click();
      },
      weight);
}

std::vector<walk::Action<MediaWalk>> actions() {
  return {
      action(
          "Choose files",
          [](MediaWalk& w) {
            if (!MediaWalk::reachable(w.media->Button12)) return;
            const QStringList files = w.pick(8) == 0 ? QStringList() : w.newFiles(1 + w.pick(4));
            w.ui.expectOpenFiles(w.media->PlayListMode ? QStringList{w.playListOf(files)} : files);
            w.media->Button12->click();
          },
          3),
      action("Drop files",
             [](MediaWalk& w) {
               if (MediaWalk::reachable(w.media->Button12))
                 w.media->FillWithFiles(w.newFiles(1 + w.pick(3)));
             }),
      action("Files from the desktop",
             [](MediaWalk& w) {
               if (!w.media->isVisible() || w.media->isMinimized()) return;
               w.media->FillWithFiles(w.newFiles(1 + w.pick(3)));
               if (w.media->Button1->isEnabled()) w.media->Button1->click();
             }),
      action("Play lists on or off",
             [](MediaWalk& w) {
               if (!MediaWalk::reachable(w.media->Button12)) return;
               QMouseEvent right(QEvent::MouseButtonPress, QPointF(2, 2), QPointF(2, 2),
                                 Qt::RightButton, Qt::RightButton, Qt::NoModifier);
               QApplication::sendEvent(w.media->Button12, &right);
             }),
      action(
          "Search Drive",
          [](MediaWalk& w) {
            if (!MediaWalk::reachable(w.media->Button6)) return;
            w.media->ComboBox1->setCurrentText(
                QStringList{"AVI", "MID", "MPEG", "MPG", "WAV", "ALL", "ALL"}[w.pick(7)]);
            // Mostly the person acts once while the search runs, on the lines found so far.
            bool acted = w.pick(4) == 0;
            w.ui.onProcessMessages([&w, &acted] {
              if (acted || w.media->ListBox1->count() == 0) return;
              acted = true;
              actInsideSearch(w, w.pick(5));
            });
            w.media->Button6->click();
            w.ui.onProcessMessages(nullptr);
          },
          2),
      click(
          "Play", [](TForm4& m) { return m.Button1; }, 3),
      click(
          "Stop", [](TForm4& m) { return m.Button2; }, 2),
      click(
          "Pause", [](TForm4& m) { return m.Button3; }, 3),
      click(
          "Next", [](TForm4& m) { return m.Button4; }, 2),
      click(
          "Previous", [](TForm4& m) { return m.Button5; }, 2),
      click("Auto Play", [](TForm4& m) { return m.CheckBox1; }),
      action(
          "Tick a line",
          [](MediaWalk& w) {
            if (!w.listReachable()) return;
            QListWidgetItem* item = w.media->ListBox1->item(w.pick(w.media->ListBox1->count()));
            item->setCheckState(item->checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
          },
          2),
      action(
          "Click a line",
          [](MediaWalk& w) {
            if (!w.listReachable()) return;
            QListWidgetItem* item = w.media->ListBox1->item(w.pick(w.media->ListBox1->count()));
            w.media->ListBox1->setCurrentItem(item);
            emit w.media->ListBox1->itemClicked(item);
          },
          2),
      action("Double click a line",
             [](MediaWalk& w) {
               if (!w.listReachable()) return;
               QListWidgetItem* item = w.media->ListBox1->item(w.pick(w.media->ListBox1->count()));
               w.media->ListBox1->setCurrentItem(item);
               emit w.media->ListBox1->itemDoubleClicked(item);
             }),
      action("Enter on a line",
             [](MediaWalk& w) {
               if (!w.listReachable()) return;
               w.media->ListBox1->setCurrentRow(w.pick(w.media->ListBox1->count()));
               w.pressKey(w.media->ListBox1, Qt::Key_Return);
             }),
      action(
          "Time passes", [](MediaWalk& w) { w.run(1000 * (1 + w.pick(3))); }, 6),
      action("Sub Select",
             [](MediaWalk& w) {
               if (!MediaWalk::reachable(w.media->Button17)) return;
               const int box = w.pick(7);
               const bool ok = w.pick(3) != 0;
               w.ui.onModal([box, ok](QWidget* window) {
                 auto& chooser = *static_cast<TForm10*>(window);
                 chooser.BoxClick(box);
                 ok ? chooser.OKClick() : chooser.CancelClick();
               });
               w.media->Button17->click();
               w.activate(*w.media);
             }),
      action(
          "Video size",
          [](MediaWalk& w) {
            QRadioButton* sizes[] = {w.media->RadioButton1, w.media->RadioButton2,
                                     w.media->RadioButton3};
            QRadioButton* size = sizes[w.pick(3)];
            if (MediaWalk::reachable(size)) size->click();
          },
          2),
      action("Esc in full screen",
             [](MediaWalk& w) {
               if (w.fullScreen().isVisible()) w.pressKey(&w.fullScreen(), Qt::Key_Escape);
             }),
      action("Full-screen menu",
             [](MediaWalk& w) {
               TForm16& screen = w.fullScreen();
               if (!screen.isVisible()) return;
               QAction* commands[] = {screen.Next1, screen.Previous1, screen.FileDetails1,
                                      screen.Exit1, screen.Cancel1};
               commands[w.pick(5)]->trigger();
             }),
      action("Find",
             [](MediaWalk& w) {
               if (!w.listReachable() || !MediaWalk::reachable(w.media->Button18)) return;
               w.ui.expectInput(w.pick(4) == 0 ? QString("nothing") : kExtensions[w.pick(6)]);
               w.media->Button18->click();
             }),
      action(
          "File details",
          [](MediaWalk& w) {
            if (w.listReachable())
              w.rightClickLine();
            else if (MediaWalk::reachable(w.media->Panel1))
              w.media->Panel1MouseDown(Qt::RightButton);
          },
          2),
      action("Colour dialog",
             [](MediaWalk& w) {
               ColourBox& picker = *w.media->RzColorComboBox1;
               if (!MediaWalk::reachable(&picker)) return;
               const QColor chosen = QColor::fromHsv(w.pick(360), 255, 200);
               picker.setColour(chosen);
               emit picker.colourChosen(chosen);
               w.activate(*w.media);
             }),
      action("Look button",
             [](MediaWalk& w) {
               QPushButton* looks[] = {w.media->Button8,  w.media->Button9,  w.media->Button10,
                                       w.media->Button11, w.media->Button13, w.media->Button14,
                                       w.media->Button15};
               QPushButton* look = looks[w.pick(7)];
               if (MediaWalk::reachable(look)) look->click();
             }),
      click("Graphics", [](TForm4& m) { return m.Button16; }),
      action("Back from the viewer",
             [](MediaWalk& w) {
               TForm9& viewer = *w.forms().Form9;
               if (!MediaWalk::reachable(viewer.Button4)) return;
               viewer.Button4->click();
               w.activate(*w.media);
             }),
      click("CD Player", [](TForm4& m) { return m.Button7; }),
      action("Back from the CD player",
             [](MediaWalk& w) {
               TForm1& cd = *w.forms().Form1;
               if (!MediaWalk::reachable(cd.Button12)) return;
               cd.Button12->click();
               w.activate(*w.media);
             }),
      action("Another program",
             [](MediaWalk& w) {
               QEvent away(QEvent::WindowDeactivate);
               QEvent back(QEvent::WindowActivate);
               QApplication::sendEvent(w.media, &away);
               QApplication::sendEvent(w.media, &back);
             }),
      // Over the session bus anything may come, not a number among it.
      action("The desktop sets the volume",
             [](MediaWalk& w) {
               const int step = w.pick(6);
               setOutputVolume(step < 5 ? step / 4.0 : std::nan(""));
             }),
      action("A file fails",
             [](MediaWalk& w) {
               if (w.media->ListBox1->count() > 0) w.breakFile(w.randomLine(), w.pick(2) == 0);
             }),
      action("The output fails",
             [](MediaWalk& w) {
               if (w.mpeg->mode != 3 || w.mpeg->opened.empty()) return;
               w.outputFailsFrom = w.mpeg->opened.size() - 1;
               w.mpeg->outputFailsAt = w.mpeg->position + 500;
             }),
      action("Drag the slider",
             [](MediaWalk& w) {
               QSlider& slider = *w.media->TrackBar1;
               if (!MediaWalk::reachable(&slider)) return;
               w.mpeg->seekFails = w.pick(3) == 0;
               w.errorBoxAllowed = w.mpeg->seekFails;
               slider.setFocus();
               slider.setValue(w.pick(slider.maximum() + 1));
               w.mpeg->seekFails = false;
               w.media->Button4->setFocus();
             }),
      action("Choose and play afresh",
             [](MediaWalk& w) {
               if (!MediaWalk::reachable(w.media->Button12) || w.media->PlayListMode) return;
               const QStringList files = w.newFiles(2);
               w.ui.expectOpenFiles(files);
               w.media->Button12->click();
               w.media->Button1->click();
               w.run(1000);
               if (w.media->Label6->text() != "Playing: 1 of 2" ||
                   !(w.mciHeld() || w.mpeg->mode == 3))
                 w.freshStartFailed = files[0] + " did not play: " + w.media->Label6->text();
             }),
  };
}

using Found = std::optional<std::string>;

Found boxesAsked(MediaWalk& w) {
  const auto& shown = w.ui.shown();
  for (; w.boxesChecked < shown.size(); ++w.boxesChecked) {
    const UiDouble::Shown& box = shown[w.boxesChecked];
    if (box.text.startsWith(kFailurePrompt)) {
      if (!w.failing.count(box.caption) && !w.outputFailedFor(box.caption))
        return "the failure prompt names " + box.caption.toStdString() + ", which did not fail";
      continue;
    }
    if (box.box == UiDouble::Box::Input) continue;  // asked for by the step itself
    if (box.box == UiDouble::Box::Error &&
        (w.errorBoxAllowed || w.missing.count(box.text.section('\r', -1))))
      continue;
    const bool own = std::any_of(kOwnBoxes.begin(), kOwnBoxes.end(),
                                 [&](const QString& start) { return box.text.startsWith(start); });
    if (!own || box.box == UiDouble::Box::Error)
      return "an unasked-for box: " + box.text.left(80).toStdString();
  }
  w.errorBoxAllowed = false;
  return std::nullopt;
}

Found pauseEnds(MediaWalk& w) {
  const bool paused = w.mpeg->mode == 4 || w.media->MediaPlayer1->mode() == DeviceMode::Paused;
  if (!paused) return std::nullopt;
  if (!w.media->isVisible()) return "a paused file is left behind a hidden window";
  if (!w.media->Button3->isEnabled() || !w.media->Button2->isEnabled())
    return "a paused file cannot be resumed by Pause or ended by Stop";
  if (w.mpeg->mode == 4 && !(w.media->Sequence.MpegActive() && w.media->Sequence.MpegPaused()))
    return "the MPEG file is paused but the player does not know it";
  return std::nullopt;
}

Found videoWindows(MediaWalk& w) {
  const bool shown = !w.media->Panel1->isHidden() || w.fullScreen().isVisible();
  if (shown && !w.videoHeld()) return "a video window shows with no video playing or paused";
  return std::nullopt;
}

Found taskbar(MediaWalk& w) {
  if (w.platform.taskbar.hidden() && !w.fullScreen().isVisible())
    return "the taskbar is hidden without full screen";
  return std::nullopt;
}

Found clockOfPlayingFile(MediaWalk& w) {
  TForm4& m = *w.media;
  const bool shows = !m.Label3->text().isEmpty() || m.TrackBar1->isEnabled();
  if (!shows) return std::nullopt;
  const bool held = w.mciHeld() || (m.Sequence.MpegActive() && w.mpegHeld());
  if (!held || m.Label6->text().isEmpty())
    return "the clock or slider shows with no file playing: \"" + m.Label3->text().toStdString() +
           m.Label4->text().toStdString() + "\"";
  return std::nullopt;
}

Found volumeFollowed(MediaWalk& w) {
  if (!w.media->MPlayer1->LibraryLoaded() || w.mpeg->volume == outputVolume()) return std::nullopt;
  return "the MPEG library plays at " + std::to_string(w.mpeg->volume) + ", the desktop asked " +
         std::to_string(outputVolume());
}

// What the rest of the program is told plays is what the devices and the
// window show: the playing label names the owner's line, and a video window
// or a hidden taskbar is the one the owner says the video is drawn in.
Found whatPlays(MediaWalk& w) {
  TForm4& m = *w.media;
  const PlaySequence& owner = m.Sequence;
  const QString held = owner.fileHeld();
  const QString opened =
      owner.MpegActive()
          ? (w.mpeg->opened.empty() ? QString() : QString::fromStdString(w.mpeg->opened.back()))
          : w.devices.openFile();
  if (!held.isEmpty() && held != opened)
    return "the player says " + held.toStdString() + " plays; its device has " +
           opened.toStdString();
  const bool clockShows = !m.Label3->text().isEmpty() || m.TrackBar1->isEnabled();
  const QString named =
      QString("Playing: %1 of %2").arg(owner.playingLine() + 1).arg(m.LastIndex + 1);
  if (clockShows && !held.isEmpty() && m.Label6->text() != named)
    return "the clock shows " + m.Label6->text().toStdString() + " while the player holds line " +
           std::to_string(owner.playingLine() + 1);
  const VideoWindow video = owner.videoWindow();
  if (!m.Panel1->isHidden() && video != VideoWindow::Panel)
    return "the video panel shows, but the video is not drawn in it";
  if ((w.fullScreen().isVisible() || w.platform.taskbar.hidden()) &&
      video != VideoWindow::FullScreen)
    return "full screen or the hidden taskbar outlast the full-screen video";
  return std::nullopt;
}

Found searchActsOnlyOnEscape(MediaWalk& w) {
  if (w.searchBroken.isEmpty()) return std::nullopt;
  return w.searchBroken.toStdString();
}

Found freshStartPlays(MediaWalk& w) {
  if (w.freshStartFailed.isEmpty()) return std::nullopt;
  return w.freshStartFailed.toStdString();
}

walk::Walker<MediaWalk> mediaWalker() {
  return walk::Walker<MediaWalk>([] { return std::make_unique<MediaWalk>(); }, actions(),
                                 {{"boxes", boxesAsked},
                                  {"pause", pauseEnds},
                                  {"video windows", videoWindows},
                                  {"taskbar", taskbar},
                                  {"clock", clockOfPlayingFile},
                                  {"volume", volumeFollowed},
                                  {"what plays", whatPlays},
                                  {"drive search", searchActsOnlyOnEscape},
                                  {"fresh start", freshStartPlays}});
}

// CI's budget: some ten seconds here. docs/media-player.md has the longer run.
TEST(MediaWalk, TheInvariantsHoldOnRandomWalks) { mediaWalker().expectHolds(walk::budget(40, 40)); }

// Sequences the walks found, each once a fault.

TEST(MediaWalk, PlayEnterOrNextOverAPlayingFileLeaveNoClockSliderOrVideoOfIt) {
  mediaWalker().expectReplayHolds({{"Choose and play afresh", 2491098997}, {"Play", 638080873}});
  mediaWalker().expectReplayHolds(
      {{"Choose files", 2094092985}, {"Next", 2051412994}, {"Play", 2856726905}});
  mediaWalker().expectReplayHolds(
      {{"Choose and play afresh", 114350777}, {"Enter on a line", 1663276193}});
  mediaWalker().expectReplayHolds(
      {{"Choose and play afresh", 1102661575}, {"File details", 3692407141}, {"Next", 468830065}});
}

TEST(MediaWalk, GoingOnPastAFileThatFailedShowsNothingOfTheFileBefore) {
  mediaWalker().expectReplayHolds({{"Files from the desktop", 309457262},
                                   {"Time passes", 2917270596},
                                   {"Pause", 2887580678},
                                   {"Pause", 106941365},
                                   {"Time passes", 1094761661},
                                   {"A file fails", 571958409},
                                   {"Time passes", 1652057283},
                                   {"Previous", 2873390000}});
}

TEST(MediaWalk, StopAndTheWayOutEndAPausedVideo) {
  mediaWalker().expectReplayHolds({{"Choose files", 2094092985},
                                   {"Play", 2856726905},
                                   {"Time passes", 3083946267},
                                   {"Pause", 758130647},
                                   {"Graphics", 993707875}});
}

TEST(MediaWalk, AnOwnSizeVideoEndingTheListLeavesNoClockOrSlider) {
  mediaWalker().expectReplayHolds({{"Play lists on or off", 1113162888},
                                   {"Play lists on or off", 80444343},
                                   {"Video size", 1400378927},
                                   {"Choose and play afresh", 2713446358},
                                   {"Play", 3866648837},
                                   {"Enter on a line", 1244700162},
                                   {"Time passes", 2643767101}});
}

TEST(MediaWalk, APausedMpegFileResumesAfterADialogClosed) {
  mediaWalker().expectReplayHolds({{"Choose files", 1381677449},
                                   {"Double click a line", 2996162105},
                                   {"Time passes", 229405898},
                                   {"Pause", 4231130312},
                                   {"Colour dialog", 2695077998}});
}

TEST(MediaWalk, ANewListEndsWhatPlayedAndItsVideo) {
  mediaWalker().expectReplayHolds(
      {{"Choose and play afresh", 1567584710}, {"Files from the desktop", 1994026514}});
}

TEST(MediaWalk, ADoubleClickInsideADriveSearchStartsNothing) {
  mediaWalker().expectReplayHolds(
      {{"Next", 827878917}, {"Choose files", 1998117828}, {"Search Drive", 382241966}});
}

TEST(MediaWalk, NoVideoWindowStaysAfterTheSequenceEndsOrAFileFails) {
  mediaWalker().expectReplayHolds({{"Files from the desktop", 1968011689},
                                   {"Time passes", 3528238438},
                                   {"A file fails", 594750345},
                                   {"Previous", 2146125760}});
}

TEST(MediaWalk, AVolumeThatIsNotANumberLeavesTheVolumeAsItWas) {
  mediaWalker().expectReplayHolds({{"The desktop sets the volume", 3141687501}});
}

}  // namespace
