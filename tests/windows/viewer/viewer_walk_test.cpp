// Random walks through the graphics viewer and its printing, as a person
// could click, type and minimize, with broken pictures and failing print jobs
// among them; the window's shape, the desktop's panels and the screen saver
// are checked after every step.
#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>

#include "../print/fake_printer.h"
#include "fake_slide_clock.h"
#include "platform/taskbar.h"
#include "random_walk.h"
#include "viewer_fixture.h"
#include "windows/cd/cd_player_window.h"
#include "windows/media/media_player_window.h"
#include "windows/print/print_options_dialog.h"
#include "windows/viewer/picture_area.h"

namespace {

const QString PrintFailure = "The printer could not start the print job.";

struct ViewerWorld : ViewerFixture {
  ViewerWorld() {
    viewer->useClock(clock);
    auto fake = std::make_unique<FakePrinter>();
    printer = fake.get();
    forms().Form13->Printer = std::move(fake);
    ui.answerUnqueued(Answer::No);
    viewer->show();
    files = {picture("a.bmp"), picture("b.bmp", {2400, 30}), picture("c.bmp", {30, 2100}),
             broken("d.bmp")};
  }
  QString broken(const QString& name) const {
    QFile file(this->file(name));
    file.open(QIODevice::WriteOnly);
    file.write("BM not a bitmap");
    return file.fileName();
  }
  // Only what the person can see and reach can be used.
  bool reachable(QWidget* control) const {
    return viewer->isVisible() && !viewer->isMinimized() && control->isVisibleTo(viewer) &&
           control->isEnabled();
  }
  void press(QAbstractButton* control) {
    if (reachable(control)) control->click();
  }
  // A key goes where the window's keyboard focus is, or to the window itself.
  void type(int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* target = viewer->focusWidget() ? viewer->focusWidget() : viewer;
    QKeyEvent press(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(target, &press);
  }
  bool pictureShown() const { return !viewer->Image1->isHidden(); }
  // Esc ends a display whenever the Part does not say it is ignored.
  void escape() {
    const bool ends = pictureShown() && viewer->ListBox1->isHidden() &&
                      viewer->ListBox1->count() > 0 && !viewer->SkipNextKey;
    type(Qt::Key_Escape);
    if (ends && pictureShown()) escapeFailed = true;
  }
  void minimizeAndRestore() {
    if (!viewer->isVisible()) return;
    viewer->setWindowState(Qt::WindowMinimized);
    viewer->setWindowState(Qt::WindowNoState);
  }

  FakeSlideClock clock;
  FakePrinter* printer = nullptr;
  QStringList files;
  bool escapeFailed = false;
};

using World = ViewerWorld;
using Random = std::mt19937;

void selectFiles(World& w, Random& random) {
  if (!w.reachable(w.viewer->Button1)) return;
  QStringList chosen;
  for (const QString& file : w.files)
    if (random() % 2) chosen << file;
  w.ui.expectOpenFiles(chosen);
  w.viewer->Button1->click();
}

void chooseSize(World& w, Random& random) {
  QRadioButton* sizes[] = {w.viewer->OriginalSize, w.viewer->FitWindow, w.viewer->FillScreen};
  w.press(sizes[random() % 3]);
}

// The show runs within its click on the fake clock; something may end it
// during a pause, as a person would.
void slideShow(World& w, Random& random) {
  if (w.reachable(w.viewer->Edit1)) w.viewer->Edit1->setText(QString::number(1 + random() % 3));
  const int stopper = int(random() % 4);
  w.clock.at(w.clock.rested() + int(random() % 5000), [&w, stopper] {
    if (stopper == 0) w.escape();
    if (stopper == 1) w.press(w.viewer->Button12);
    if (stopper == 2) w.minimizeAndRestore();
  });
  w.press(w.viewer->CheckBox2);
}

// The right button on a picture without TV look opens the popup menu.
void popupCommand(World& w, Random& random) {
  if (!w.pictureShown() || !w.viewer->isVisible() || w.viewer->CheckBox3->isChecked()) return;
  w.viewer->PopupMenu1->aboutToShow();
  QAction* commands[] = {w.viewer->Next1, w.viewer->Previous1, w.viewer->SlideShowOn1,
                         w.viewer->Exit1, w.viewer->Cancel1};
  QAction* command = commands[random() % 5];
  if (command->isEnabled()) command->trigger();
}

// Print or Abort in the options, perhaps after a look at the preview. A
// request may stop before its dialog opens, so a script may meet a later
// window: it acts on the options only.
void print(World& w, Random& random) {
  if (!w.reachable(w.viewer->Button18)) return;
  w.printer->fails = random() % 3 == 0;
  const bool prints = random() % 2;
  const bool preview = random() % 2;
  w.ui.onModal([&w, prints, preview](QWidget* window) {
    auto* options = dynamic_cast<TForm13*>(window);
    if (!options) return;
    if (preview) {
      w.ui.onModal([](QWidget*) {});
      options->Button3->click();
    }
    (prints ? options->Button1 : options->Button2)->click();
  });
  w.viewer->Button18->click();
}

template <class Control>
std::function<void(World&, Random&)> press(Control* TForm9::*control) {
  return [control](World& w, Random&) { w.press(w.viewer->*control); };
}

// To the CD player or the media player and back with the CD player's
// Graphics button.
void handOverAndBack(World& w, Random& random) {
  QPushButton* away = random() % 2 ? w.viewer->Button3 : w.viewer->Button4;
  if (!w.reachable(away)) return;
  away->click();
  if (w.forms().Form4->isVisible()) w.forms().Form4->Button7->click();
  w.forms().Form1->Button6->click();
}

walk::Walker<World> viewerWalker() {
  using Action = walk::Action<World>;
  std::vector<Action> actions = {
      {"Select Files", selectFiles, 2},
      {"Display", press(&TForm9::Button2), 3},
      {"Stop", press(&TForm9::Button12)},
      {"Next", press(&TForm9::Button6), 2},
      {"Previous", press(&TForm9::Button7)},
      {"Size", chooseSize},
      {"TV Look", press(&TForm9::CheckBox3)},
      {"Compact", press(&TForm9::CheckBox1)},
      {"Slide Show", slideShow},
      {"Esc", [](World& w, Random&) { w.escape(); }, 2},
      {"Ctrl+C", [](World& w, Random&) { w.type(Qt::Key_C, Qt::ControlModifier); }},
      {"Popup menu", popupCommand},
      {"Print", print},
      {"Minimize and restore", [](World& w, Random&) { w.minimizeAndRestore(); }},
      {"Hand over and back", handOverAndBack},
  };
  using Found = std::optional<std::string>;
  std::vector<std::pair<std::string, walk::Invariant<World>>> invariants = {
      {"only injected errors",
       [](World& w) -> Found {
         for (const UiDouble::Shown& box : w.ui.shown())
           if (box.box == UiDouble::Box::Error && box.text != PrintFailure)
             return box.text.toStdString();
         return std::nullopt;
       }},
      {"the list view is usable",
       [](World& w) -> Found {
         TForm9& v = *w.viewer;
         if (w.pictureShown() || v.CheckBox1->isChecked() || !v.isVisible()) return std::nullopt;
         if (v.windowFlags().testFlag(Qt::FramelessWindowHint)) return "no title bar";
         if (v.isFullScreen()) return "full screen";
         if (v.Panel1->isHidden()) return "no control panel";
         if (v.menuBar()->isHidden() || !v.File1->menuAction()->isEnabled()) return "no menus";
         return std::nullopt;
       }},
      {"Esc ends a display",
       [](World& w) -> Found {
         if (w.escapeFailed) return "the picture stayed";
         return std::nullopt;
       }},
      {"the taskbar is hidden exactly while a picture fills the screen",
       [](World& w) -> Found {
         const bool fills = w.pictureShown() && w.viewer->isFullScreen();
         if (w.platform.taskbar.hidden() != fills)
           return fills ? "shown over the picture" : "left hidden";
         return std::nullopt;
       }},
      {"the screen saver is held exactly while the screen is filled",
       [](World& w) -> Found {
         // Between steps no show is running: its click has returned.
         if (w.platform.taskbar.screenSaverInhibited() != w.platform.taskbar.hidden())
           return w.platform.taskbar.hidden() ? "not held" : "held";
         return std::nullopt;
       }},
  };
  return walk::Walker<World>([] { return std::make_unique<World>(); }, std::move(actions),
                             std::move(invariants));
}

TEST(ViewerWalk, EveryStepLeavesTheWindowUsable) {
  viewerWalker().expectHolds(walk::budget(12, 25));
}

// Found by the walk: no control has the focus, so the key reaches the window.
TEST(ViewerWalk, EscWithNoControlFocusedEndsTheDisplay) {
  viewerWalker().expectReplayHolds(
      {{"Select Files", 1703301249}, {"Next", 4018109721}, {"Esc", 2225448249}});
}

}  // namespace
