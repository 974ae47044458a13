// Times the drive search over a generated tree of files beside `find` over the
// same tree: the search alone (no window, no event processing), the search
// processing events for every match, and the search filling a list widget.
//
//   search_bench [files] [folder]   (defaults: 100000 files, a temporary folder;
//                                    a folder that already exists is used as it is)
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QListWidget>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "platform/qt_ui_services.h"
#include "services/files/drive_search.h"
#include "services/files/list_widget_lines.h"
#include "services/files/list_window.h"
#include "services/files/list_window_kind.h"

namespace {

constexpr int FoldersPerLevel = 10;
constexpr int Rounds = 5;

// Lines kept in memory: the list without a window.
class MemoryLines : public SelectionLines {
 public:
  int count() const override { return int(lines_.size()); }
  ListLine line(int index) const override { return lines_.at(index); }
  bool ticked(int) const override { return false; }
  bool append(const ListLine& line, bool) override {
    lines_.push_back(line);
    return true;
  }
  void clear() override { lines_.clear(); }
  void setVisible(bool) override {}

 private:
  std::vector<ListLine> lines_;
};

// A window that only lends its list: nobody presses Escape here.
class BenchWindow : public ListWindow {
 public:
  explicit BenchWindow(SelectionLines& lines) : lines_(lines) {}
  SelectionLines& selectionLines() override { return lines_; }
  QString typeKey() const override { return "ALL"; }
  void stopSearchAnimation() override {}
  void disableListControls() override {}
  void resetControlsWithoutList() override {}
  void focusWindow() override {}
  void setListFileName(const QString&) override {}
  void disableSaveListCommand() override {}

 private:
  SelectionLines& lines_;
};

class NoEventsUi : public QtUiServices {
 public:
  void processMessages() override {}
};

// Three levels of folders, files spread evenly over the deepest ones; three
// files in ten are sound files, so the search lists them all (under the
// list's capacity) and passes the rest by.
void makeTree(const QString& root, int files) {
  static const char* const extensions[] = {".mp3", ".txt", ".dat", ".wav", ".doc",
                                           ".ini", ".MID", ".log", ".bak", ".cfg"};
  const int leaves = FoldersPerLevel * FoldersPerLevel * FoldersPerLevel;
  for (int n = 0; n < files; ++n) {
    const int leaf = n % leaves;
    const QString folder = QString("%1/Dir%2/Sub%3/Leaf%4")
                               .arg(root)
                               .arg(leaf / 100)
                               .arg(leaf / 10 % 10)
                               .arg(leaf % 10);
    if (n < leaves) QDir().mkpath(folder);
    QFile(folder + QString("/File%1%2").arg(n).arg(extensions[n % 10])).open(QIODevice::WriteOnly);
  }
}

double seconds(const std::function<void()>& run) {
  QElapsedTimer timer;
  timer.start();
  run();
  return timer.nsecsElapsed() / 1e9;
}

double best(const std::function<void()>& run) {
  double fastest = 1e9;
  for (int round = 0; round < Rounds; ++round) fastest = std::min(fastest, seconds(run));
  return fastest;
}

void runFind(const QString& root) {
  QProcess find;
  find.setStandardOutputFile(QProcess::nullDevice());
  find.start("find", {root, "-type", "f"});
  find.waitForFinished(-1);
}

int searchInto(SelectionLines& lines, UiServices& ui, const QString& root) {
  BenchWindow window(lines);
  const QString previous = QDir::currentPath();
  QDir::setCurrent(root);
  DriveSearch(window, mediaPlayerLists(), ui).SearchCurrentDirectory();
  QDir::setCurrent(previous);
  return lines.count();
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  const int files = argc > 1 ? QString(argv[1]).toInt() : 100000;
  QTemporaryDir temporary;
  const QString root = argc > 2 ? QString(argv[2]) : temporary.path();

  if (!QDir(root).exists() || QDir(root).isEmpty()) {
    std::printf("Making %d files under %s ...\n", files, qPrintable(root));
    makeTree(root, files);
  }
  runFind(root);  // a warm cache for everyone

  NoEventsUi quiet;
  QtUiServices events;
  QListWidget widget;
  int found = 0;
  const double find = best([&] { runFind(root); });
  const double alone = best([&] {
    MemoryLines lines;
    found = searchInto(lines, quiet, root);
  });
  const double withEvents = best([&] {
    MemoryLines lines;
    searchInto(lines, events, root);
  });
  const double intoWidget = best([&] {
    widget.clear();
    ListWidgetLines lines(widget);
    searchInto(lines, events, root);
  });

  std::printf("%-44s %8.3f s\n", "find -type f", find);
  std::printf("%-44s %8.3f s  (%.2f x find, %d found)\n", "search, no window", alone, alone / find,
              found);
  std::printf("%-44s %8.3f s  (%.1f us per match)\n", "search, events processed per match",
              withEvents, (withEvents - alone) / found * 1e6);
  std::printf("%-44s %8.3f s\n", "search into a list widget, events processed", intoWidget);
  std::printf("target: within 1.5 x find with no window: %s\n",
              alone <= 1.5 * find ? "met" : "NOT met");
  return 0;
}
