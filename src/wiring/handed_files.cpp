#include "wiring/handed_files.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QPushButton>
#include <functional>

#include "platform/recent_files.h"
#include "program/forms.h"
#include "services/files/file_types.h"
#include "services/files/files_to_open.h"
#include "services/files/list_window_kind.h"
#include "windows/cd/cd_player_window.h"
#include "windows/media/media_player_window.h"
#include "windows/viewer/graphics_viewer_window.h"
#include "windows/viewer/picture_area.h"
#include "wiring/front_window.h"

namespace {

constexpr int kStepMs = 100;
// A window manager may keep a window from being activated; the files go in anyway then.
constexpr int kActivationWaitMs = 1500;

FileTypes discTypes() { return FileTypes({".cue"}); }
FileTypes mediaTypes() { return FileTypes(mediaPlayerLists().openTypes); }
FileTypes pictureTypes() { return FileTypes(graphicsViewerLists().openTypes); }

std::vector<QByteArray> takenExtensions() {
  std::vector<QByteArray> extensions = {".cue"};
  for (const ListWindowKind& kind : {mediaPlayerLists(), graphicsViewerLists()})
    extensions.insert(extensions.end(), kind.openTypes.begin(), kind.openTypes.end());
  return extensions;
}

enum class Kind { None, Disc, Media, Pictures };

Kind kindOf(const QStringList& paths) {
  for (const QString& path : paths) {
    const QFileInfo info(path);
    if (!info.isFile()) continue;
    const QByteArray name = QFile::encodeName(info.fileName());
    if (discTypes().accepts(name)) return Kind::Disc;
    if (mediaTypes().accepts(name)) return Kind::Media;
    if (pictureTypes().accepts(name)) return Kind::Pictures;
  }
  if (!filesToOpen(paths, mediaTypes()).isEmpty()) return Kind::Media;
  if (!filesToOpen(paths, pictureTypes()).isEmpty()) return Kind::Pictures;
  return Kind::None;
}

// A command of the window in front that leads to another window.
struct Way {
  std::function<bool()> available;
  std::function<void()> take;
};

template <class Control>
std::function<bool()> enabled(Control* control) {
  return [control] { return control->isEnabled(); };
}

Way wayBetween(Forms& forms, const Form& from, const Form& to) {
  TForm1& cd = *forms.Form1;
  TForm4& media = *forms.Form4;
  TForm9& viewer = *forms.Form9;
  if (&from == &cd)
    return &to == &media
               ? Way{enabled(cd.PlayVideoMIDMPEGWAVfiles1),
                     [&cd] { cd.PlayVideoMIDMPEGWAVfiles1Click(); }}
               : Way{enabled(cd.DisplayGraphicFiles1), [&cd] { cd.DisplayGraphicFiles1Click(); }};
  if (&from == &media)
    return &to == &cd ? Way{enabled(media.Button7), [&media] { media.Button7Click(); }}
                      : Way{enabled(media.Button16), [&media] { media.Button16Click(); }};
  return &to == &cd ? Way{enabled(viewer.Button3), [&viewer] { viewer.Button3Click(); }}
                    : Way{enabled(viewer.Button4), [&viewer] { viewer.Button4Click(); }};
}

// The window's own Stop, where it is available.
void stopIn(Forms& forms, Form& window) {
  if (&window == forms.Form1.get() && forms.Form1->Button2->isEnabled())
    forms.Form1->Button2Click(forms.Form1->Button2);
  if (&window == forms.Form4.get() && forms.Form4->Button2->isEnabled())
    forms.Form4->Button2Click(forms.Form4->Button2);
  // A picture ends as a person ends it in any shape, with Esc's popup twin:
  // Stop alone would leave a borderless window without its controls.
  if (&window == forms.Form9.get() && forms.Form9->Pictures->pictureShown())
    forms.Form9->Exit1Click();
  else if (&window == forms.Form9.get() && forms.Form9->Button12->isEnabled())
    forms.Form9->Button12Click();
}

bool slideShowRunning(const TForm9& viewer) { return viewer.Pictures->showRunning(); }

}  // namespace

// Named as the system's own type database names them, so they match what a
// file manager or the media controls see.
QStringList handedFileTypes() {
  QStringList types;
  const QMimeDatabase database;
  for (const QByteArray& extension : takenExtensions())
    for (const QMimeType& type : database.mimeTypesForFileName("file" + extension))
      if (!types.contains(type.name())) types << type.name();
  return types;
}

HandedFiles::HandedFiles(Forms& forms, RecentFiles& recentFiles)
    : forms_(forms), recentFiles_(recentFiles) {
  steps_.setInterval(kStepMs);
  connect(&steps_, &QTimer::timeout, this, &HandedFiles::step);
}

void HandedFiles::open(const QString& workingDirectory, const QStringList& paths) {
  const QDir folder(workingDirectory);
  paths_.clear();
  for (const QString& path : paths) paths_ << QDir::cleanPath(folder.absoluteFilePath(path));
  taker_ = nullptr;
  steps_.start();
  step();
}

// A step that fails with an error ends the hand-over: it is not tried again.
void HandedFiles::step() {
  if (Form::handlerRunning() || QApplication::activeModalWidget() || forms_.Form4->SearchRunning ||
      forms_.Form9->SearchRunning)
    return;
  Form& front = frontWindow(forms_);
  if (slideShowRunning(*forms_.Form9)) {
    front.handleRequest([this] { forms_.Form9->Button12Click(); });
  } else if (!taker_) {
    steps_.stop();
    front.handleRequest([this] { chooseWindow(); });
  } else if (QApplication::activeWindow() == taker_ ||
             waitingForTaker_.hasExpired(kActivationWaitMs)) {
    steps_.stop();
    front.handleRequest([this] { giveFiles(); });
  }
}

void HandedFiles::chooseWindow() {
  switch (kindOf(paths_)) {
    case Kind::Disc:
      taker_ = forms_.Form1.get();
      break;
    case Kind::Media:
      taker_ = forms_.Form4.get();
      break;
    case Kind::Pictures:
      taker_ = forms_.Form9.get();
      break;
    case Kind::None:
      taker_ = nullptr;
      break;
  }
  if (!taker_ || !bringForward(*taker_)) {
    finish();
    bringToFront(frontWindow(forms_));
    return;
  }
  bringToFront(*taker_);
  waitingForTaker_.start();
  steps_.start();
}

// As a person switches: the front window's way to the other, after its Stop
// where the way waits for one.
bool HandedFiles::bringForward(Form& target) {
  Form& front = frontWindow(forms_);
  if (&front == &target) return true;
  const Way way = wayBetween(forms_, front, target);
  if (!way.available()) stopIn(forms_, front);
  if (!way.available()) return false;
  way.take();
  return &frontWindow(forms_) == &target;
}

void HandedFiles::giveFiles() {
  const QStringList paths = paths_;
  Form& taker = *taker_;
  finish();
  if (&taker == forms_.Form1.get()) {
    const QString sheet = filesToOpen(paths, discTypes()).first();
    recentFiles_.add({sheet});
    forms_.Form1->LoadDiscImage(sheet);
  } else if (&taker == forms_.Form4.get()) {
    TForm4& player = *forms_.Form4;
    const QStringList files = filesToOpen(paths, mediaTypes());
    recentFiles_.add(files);
    player.FillWithFiles(files);
    if (player.Button1->isEnabled()) player.Button1Click(player.Button1);
  } else {
    TForm9& viewer = *forms_.Form9;
    if (!viewer.Button1->isEnabled()) stopIn(forms_, viewer);
    if (!viewer.Button1->isEnabled()) return;
    const QStringList files = filesToOpen(paths, pictureTypes());
    recentFiles_.add(files);
    viewer.FillWithFiles(files);
    if (viewer.Button2->isEnabled()) viewer.Button2Click(viewer.Button2);
  }
  bringToFront(taker);
}

void HandedFiles::finish() {
  steps_.stop();
  paths_.clear();
  taker_ = nullptr;
}
