// Random walks through the graphics viewer and its printing, as a person
// could click, type, drop and minimize, with broken pictures and failing print
// jobs among them; the window's shape, the desktop's panels, the screen saver,
// the boxes shown and the printed files are checked after every step.
#include <QAction>
#include <QApplication>
#include <QCryptographicHash>
#include <QDropEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QRadioButton>
#include <QUrl>
#include <algorithm>
#include <map>
#include <set>
#include <utility>

#include "fake_slide_clock.h"
#include "platform/taskbar.h"
#include "random_walk.h"
#include "services/files/list_file_format.h"
#include "services/files/list_window_kind.h"
#include "viewer_fixture.h"
#include "windows/cd/cd_player_window.h"
#include "windows/media/media_player_window.h"
#include "windows/print/page_printer.h"
#include "windows/print/print_options_dialog.h"
#include "windows/viewer/picture_area.h"

namespace {

const QString PrintFailure = "The printer could not start the print job.";

// A real printer into PDF files in the world's folder, where the user's own
// a.pdf and an earlier print already are. The walk answers its set-up dialog:
// a new file, a.pdf (which the dialog asks about replacing, as the platform's
// print dialog does), or Cancel. One job in a while fails to start.
struct WalkPrinter : QtPagePrinter {
  explicit WalkPrinter(const QString& folder) : folder_(folder) {
    for (const char* earlier : {"/a.pdf", "/Corvela Pro Graphic Print.pdf"}) {
      QFile file(folder_ + earlier);
      file.open(QIODevice::WriteOnly);
      file.write("kept");
    }
    printer().setOutputFormat(QPrinter::PdfFormat);
    printer().setOutputFileName(folder_ + "/Corvela Pro Graphic Print.pdf");
    printer().setResolution(72);  // small pages print quickly
  }
  bool setup(QWidget*) override {
    if (choice == Choice::Cancel) return false;
    const QString file = folder_ + (choice == Choice::NewFile ? "/new.pdf" : "/a.pdf");
    if (QFileInfo::exists(file)) agreedToReplace.insert(file);
    printer().setOutputFileName(file);
    confirmSetup();
    printer().setResolution(72);
    return true;
  }
  QString printPage(const QString& title, const std::function<void(QPainter&)>& draw) override {
    if (fails) throw PrintError(PrintFailure.toStdString());
    return QtPagePrinter::printPage(title, draw);
  }

  enum class Choice { NewFile, ExistingFile, Cancel } choice = Choice::Cancel;
  bool fails = false;
  std::set<QString> agreedToReplace;  // each agreement covers one replacement

 private:
  QString folder_;
};

struct ViewerWorld : ViewerFixture {
  ViewerWorld() {
    viewer->useClock(clock);
    auto walkPrinter = std::make_unique<WalkPrinter>(printed.path());
    printer = walkPrinter.get();
    forms().Form13->Printer = std::move(walkPrinter);
    ui.answerUnqueued(Answer::No);
    viewer->show();
    files = {picture("a.bmp"), picture("b.bmp", {2400, 30}), picture("c.bmp", {30, 2100}),
             broken("d.bmp")};
    writeListFile(file("pictures.qdl"), graphicsViewerLists().signature, files);
  }
  // What each printed file holds, to see which a step replaced.
  std::map<QString, QByteArray> printedFiles() const {
    std::map<QString, QByteArray> contents;
    for (const QFileInfo& info : QDir(printed.path()).entryInfoList({"*.pdf"}, QDir::Files)) {
      QFile pdf(info.filePath());
      pdf.open(QIODevice::ReadOnly);
      contents[info.filePath()] = QCryptographicHash::hash(pdf.readAll(), QCryptographicHash::Md5);
    }
    return contents;
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
  bool escapeEnds() const {
    return pictureShown() && viewer->ListBox1->isHidden() && viewer->ListBox1->count() > 0 &&
           !viewer->SkipNextKey;
  }
  void escape() {
    const bool ends = escapeEnds();
    type(Qt::Key_Escape);
    if (ends && pictureShown()) escapeFailed = true;
  }
  void minimizeAndRestore() {
    if (!viewer->isVisible()) return;
    viewer->setWindowState(Qt::WindowMinimized);
    viewer->setWindowState(Qt::WindowNoState);
  }

  FakeSlideClock clock;
  QTemporaryDir printed;
  WalkPrinter* printer = nullptr;
  std::map<QString, QByteArray> printedBefore;
  QStringList files;
  bool escapeFailed = false;
  int shows = 0;  // the shows started so far, to tell one from the next
  std::optional<std::string> showFault;  // what a show did wrong while it ran
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

// The display list file: the list mode on, the file chosen, the mode off again.
void displayList(World& w, Random&) {
  if (!w.reachable(w.viewer->Button1)) return;
  w.viewer->Button1RightClick();
  w.ui.expectOpenFiles({w.file("pictures.qdl")});
  w.viewer->Button1->click();
  w.viewer->Button1RightClick();
}

// Some of the pictures dragged from a file manager and let go over the window.
void drop(World& w, Random& random) {
  if (!w.viewer->isVisible() || w.viewer->isMinimized()) return;
  QMimeData data;
  QList<QUrl> urls;
  for (const QString& file : w.files)
    if (random() % 2) urls << QUrl::fromLocalFile(file);
  data.setUrls(urls);
  QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(w.viewer, &enter);
  if (!enter.isAccepted()) return;
  QDropEvent letGo(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(w.viewer, &letGo);
}

// The drive search over the pictures' folder, for one type or all.
void findAll(World& w, Random& random) {
  if (!w.reachable(w.viewer->Button5)) return;
  w.viewer->DriveComboBox1->setDrive(w.drive.path());
  w.viewer->ComboBox1->setCurrentText(random() % 2 ? "BMP" : "ALL");
  w.viewer->Button5->click();
}

// Another program takes the focus, then gives it back.
void otherProgram(World& w, Random&) {
  if (!w.viewer->isVisible()) return;
  QEvent away(QEvent::WindowDeactivate);
  QApplication::sendEvent(w.viewer, &away);
  QEvent back(QEvent::WindowActivate);
  QApplication::sendEvent(w.viewer, &back);
}

void chooseSize(World& w, Random& random) {
  QRadioButton* sizes[] = {w.viewer->OriginalSize, w.viewer->FitWindow, w.viewer->FillScreen};
  w.press(sizes[random() % 3]);
}

// The show runs within its click on the fake clock; something may end it
// during a pause, as a person would. While it runs the screen stays awake,
// and once it is stopped no pause follows.
void slideShow(World& w, Random& random) {
  if (w.reachable(w.viewer->Edit1)) w.viewer->Edit1->setText(QString::number(1 + random() % 3));
  const int stopper = int(random() % 4);
  const int show = ++w.shows;
  w.clock.at(w.clock.rested() + int(random() % 5000), [&w, stopper, show] {
    if (w.shows != show) return;
    if (!w.platform.taskbar.screenSaverInhibited()) w.showFault = "the screen saver ran";
    const bool stops = (stopper == 0 && w.escapeEnds()) ||
                       (stopper == 1 && w.reachable(w.viewer->Button12)) ||
                       (stopper == 2 && w.viewer->isVisible());
    if (stopper == 0) w.escape();
    if (stopper == 1) w.press(w.viewer->Button12);
    if (stopper == 2) w.minimizeAndRestore();
    if (!stops) return;
    w.clock.at(w.clock.rested() + 1500, [&w, show] {
      if (w.shows == show) w.showFault = "it went on after it was stopped";
    });
  });
  w.press(w.viewer->CheckBox2);
  ++w.shows;
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

// A zoom and the details, perhaps Printer Setup and a look at the preview,
// then Print, Abort or the window manager's close. A request may stop before
// its dialog opens, so a script may meet a later window: it acts on the
// options only.
void print(World& w, Random& random) {
  if (!w.reachable(w.viewer->Button18)) return;
  w.printer->fails = random() % 4 == 0;
  const bool setup = random() % 2;
  w.printer->choice = WalkPrinter::Choice(random() % 3);
  const int zoom = int(random() % 3);
  const int details = int(random() % 3);
  const bool preview = random() % 2;
  const int ending = int(random() % 3);
  w.ui.onModal([&w, setup, zoom, details, preview, ending](QWidget* window) {
    auto* options = dynamic_cast<TForm13*>(window);
    if (!options) return;
    QRadioButton* zooms[] = {options->RadioButton2, options->RadioButton5, options->RadioButton11};
    QRadioButton* detail[] = {options->RadioButton6, options->RadioButton7, options->RadioButton8};
    zooms[zoom]->click();
    if (detail[details]->isEnabled()) detail[details]->click();
    if (setup) {
      options->Button4->click();
      if (options->isHidden()) return;  // Cancel abandons the print
    }
    if (preview) {
      w.ui.onModal([](QWidget*) {});
      options->Button3->click();
    }
    QPushButton* buttons[] = {options->Button1, options->Button2};
    if (ending < 2)
      buttons[ending]->click();
    else
      options->close();
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

// The boxes the Parts give on the walk's ways, by their first words; the
// failing print job's is injected.
const QStringList BoxesAskedFor = {
    "No File(s) Selected",
    "No File Hi-Lighted",
    "Nothing or too many items selected!",
    "Original Graphic Height:",
    "Sorry, unable to display the above file",
    "There are no more selections.",
    "You must display a graphic before you can print it.",
    "Landscape mode is suggested for this printout",
    "The print has been saved in the file",
    PrintFailure,
};

// What the owner says is shown is what the window shows.
std::optional<std::string> ownerTellsTheShape(World& w) {
  using Shape = PictureWalk::Shape;
  const TForm9& v = *w.viewer;
  const PictureWalk& shown = *v.Pictures;
  if (shown.pictureShown() != w.pictureShown()) return "the picture is not where it says";
  if (!v.isVisible() || !shown.pictureShown()) return std::nullopt;
  const bool borderless = v.windowFlags().testFlag(Qt::FramelessWindowHint);
  if ((shown.shape() == Shape::FullScreen) != v.isFullScreen()) return "full screen or not";
  if ((shown.shape() == Shape::Framed) == borderless) return "the border";
  return std::nullopt;
}

walk::Walker<World> viewerWalker() {
  using Action = walk::Action<World>;
  std::vector<Action> actions = {
      {"Select Files", selectFiles, 2},
      {"Display list", displayList},
      {"Drop", drop},
      {"Find all", findAll},
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
      {"Print", print, 2},
      {"Minimize and restore", [](World& w, Random&) { w.minimizeAndRestore(); }},
      {"Another program", otherProgram},
      {"Hand over and back", handOverAndBack},
  };
  using Found = std::optional<std::string>;
  std::vector<std::pair<std::string, walk::Invariant<World>>> invariants = {
      {"no box unless injected or the Part asks for one",
       [](World& w) -> Found {
         for (const UiDouble::Shown& box : w.ui.shown()) {
           const bool asked =
               std::any_of(BoxesAskedFor.begin(), BoxesAskedFor.end(),
                           [&box](const QString& start) { return box.text.startsWith(start); });
           if (!asked) return box.text.toStdString();
         }
         return std::nullopt;
       }},
      {"the owner knows what is shown", ownerTellsTheShape},
      {"the list view is usable",
       [](World& w) -> Found {
         TForm9& v = *w.viewer;
         if (v.Pictures->shape() != PictureWalk::Shape::ListView || !v.isVisible())
           return std::nullopt;
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
      {"the screen saver is held exactly while the screen is filled or a show runs",
       [](World& w) -> Found {
         // Between steps no show is running: its click has returned.
         if (w.platform.taskbar.screenSaverInhibited() != w.platform.taskbar.hidden())
           return w.platform.taskbar.hidden() ? "not held" : "held";
         if (w.viewer->Pictures->keepsScreenAwake() != w.platform.taskbar.hidden())
           return "the owner says otherwise";
         return std::nullopt;
       }},
      {"a running show can always be stopped, and keeps the screen awake",
       [](World& w) -> Found { return std::exchange(w.showFault, std::nullopt); }},
      {"no print replaces an existing file without asking",
       [](World& w) -> Found {
         std::map<QString, QByteArray> now = w.printedFiles();
         Found replaced;
         for (const auto& [file, contents] : std::exchange(w.printedBefore, now)) {
           if (now.count(file) && now[file] == contents) continue;
           if (!w.printer->agreedToReplace.erase(file)) replaced = file.toStdString();
         }
         return replaced;
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
