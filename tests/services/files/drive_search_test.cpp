#include "services/files/drive_search.h"

#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>

#include "fake_list_window.h"
#include "file_tree.h"
#include "services/files/list_window_kind.h"

namespace {

class DriveSearchTest : public ListWindowTest {
 protected:
  void search(const ListWindowKind& kind = mediaPlayerLists()) {
    CurrentDirectory inRoot(root);
    DriveSearch(window, kind, ui).SearchCurrentDirectory();
  }
  // The line a file under the root is listed as.
  QString listed(const QString& relative) const { return (root + '/' + relative).toLower(); }
  qsizetype position(const QString& relative) const {
    return window.lines.texts().indexOf(listed(relative));
  }
};

TEST_F(DriveSearchTest, ListsADirectorysFilesBeforeItsSubdirectoriesDepthFirstSkippingHiddenOnes) {
  makeFiles(root, {"Top.MP3", "Sub/Middle.wav", "Sub/Deeper/Bottom.avi", "Other/side.mid",
                   ".secret.mp3", ".hidden/inside.mp3", "Sub/.dot/inside.wav", "notes.txt",
                   "Sub/readme", "Sub/Second.mp2"});
  search();

  const QStringList texts = window.lines.texts();
  EXPECT_EQ(texts.size(), 5) << texts.join('\n').toStdString();
  EXPECT_EQ(position("Top.MP3"), 0);
  EXPECT_LT(position("Sub/Middle.wav"), position("Sub/Deeper/Bottom.avi"));
  EXPECT_LT(position("Sub/Second.mp2"), position("Sub/Deeper/Bottom.avi"));
  EXPECT_NE(position("Other/side.mid"), -1);
  // Lower-case text, the real path beside it, nothing ticked.
  const FakeLines::Entry& top = window.lines.entries.front();
  EXPECT_EQ(top.line.text, listed("Top.MP3"));
  EXPECT_EQ(top.line.path, root + "/Top.MP3");
  EXPECT_FALSE(top.ticked);
  // Events are processed twice for each listed file and never for the others.
  EXPECT_EQ(ui.processed(), 2 * 5);
  EXPECT_TRUE(ui.shown().empty());
  EXPECT_TRUE(window.SearchRunning) << "a normal end leaves the flag to the caller";
}

TEST_F(DriveSearchTest, TypeKeysChooseFilesByTheLastExtensionOfTheLowerCasedName) {
  const ListWindowKind& media = mediaPlayerLists();
  const FileTypes mpeg = media.typesFor("MPEG");
  EXPECT_TRUE(mpeg.accepts("x.mp2"));
  EXPECT_TRUE(mpeg.accepts("x.MP3"));
  EXPECT_FALSE(mpeg.accepts("x.mpg"));
  EXPECT_FALSE(mpeg.accepts("tune.mp3.bak"));
  const FileTypes all = media.typesFor("ALL");
  EXPECT_TRUE(all.accepts("x.mpg"));
  EXPECT_TRUE(all.accepts("a.b.Wav"));
  EXPECT_FALSE(all.accepts("x.mpeg"));
  EXPECT_FALSE(all.accepts("x.dat"));
  EXPECT_FALSE(all.accepts("mp3"));
  EXPECT_TRUE(media.typesFor("WAV").accepts("Bell.WAV"));
  EXPECT_FALSE(media.typesFor("WAV").accepts("bell.mp3"));
  const FileTypes pictures = graphicsViewerLists().typesFor("ALL");
  EXPECT_TRUE(pictures.accepts("photo.JPG"));
  EXPECT_TRUE(pictures.accepts("art.fif"));
  EXPECT_FALSE(pictures.accepts("photo.jpeg"));
  EXPECT_FALSE(pictures.accepts("song.mp3"));

  makeFiles(root, {"x.mp2", "x.MP3", "x.mpg"});
  window.key = "MPEG";
  search();
  EXPECT_EQ(window.lines.texts().size(), 2);
  EXPECT_EQ(position("x.mpg"), -1);
}

TEST_F(DriveSearchTest, ReadsTheTypeKeyAfreshInEachDirectory) {
  makeFiles(root, {"first.mp3", "sub/second.mp3", "sub/third.wav"});
  window.key = "MP3";
  ui.whileProcessing = [&] { window.key = "WAV"; };
  search();
  EXPECT_EQ(window.lines.texts(), QStringList({listed("first.mp3"), listed("sub/third.wav")}));
}

TEST_F(DriveSearchTest, PutsExactlyOneSeparatorBetweenADirectoryAndItsEntries) {
  EXPECT_EQ(entryPath("/", "a.mp3"), "/a.mp3");
  EXPECT_EQ(entryPath("/media/disk", "a.mp3"), "/media/disk/a.mp3");
}

TEST_F(DriveSearchTest, FollowsNoLinkToADirectoryAndStaysOnItsFileSystem) {
  makeFiles(root, {"music/real.mp3", "elsewhere/far.mp3"});
  ASSERT_EQ(symlink("..", QFile::encodeName(root + "/music/loop").constData()), 0);
  ASSERT_EQ(symlink("../elsewhere", QFile::encodeName(root + "/music/shortcut").constData()), 0);
  ASSERT_EQ(symlink("real.mp3", QFile::encodeName(root + "/music/alias.mp3").constData()), 0);
  ASSERT_EQ(symlink("gone.mp3", QFile::encodeName(root + "/music/dangling.mp3").constData()), 0);
  ASSERT_TRUE(QDir(root).mkdir("mounted"));
  const QByteArray mountPoint = QFile::encodeName(root + "/mounted");
  const bool mounted = mount("tmpfs", mountPoint.constData(), "tmpfs", 0, "size=1m") == 0;
  if (mounted) makeFiles(root, {"mounted/foreign.mp3"});

  search();
  if (mounted) umount(mountPoint.constData());

  // A link to a file lists as that file; the loop and the shortcut are passed by.
  QStringList expected = {listed("elsewhere/far.mp3"), listed("music/alias.mp3"),
                          listed("music/real.mp3")};
  QStringList texts = window.lines.texts();
  texts.sort();
  EXPECT_EQ(texts, expected);
  if (!mounted) GTEST_SKIP() << "no tmpfs could be mounted here to test another file system";
}

// Root reads every directory, so the search runs in a child as an ordinary user.
TEST_F(DriveSearchTest, SkipsADirectoryItCannotRead) {
  makeFiles(root, {"open/one.mp3", "locked/hidden.mp3", "two.mp3"});
  for (const auto& [directory, mode] :
       {std::pair{root, 0755}, {root + "/open", 0755}, {root + "/locked", 0}})
    ASSERT_EQ(chmod(QFile::encodeName(directory).constData(), mode), 0);
  EXPECT_EXIT(
      {
        if (geteuid() == 0 && setuid(65534) != 0) std::_Exit(2);
        search();
        std::_Exit(window.lines.texts() == QStringList({listed("two.mp3"), listed("open/one.mp3")})
                       ? 0
                       : 1);
      },
      ::testing::ExitedWithCode(0), "");
}

TEST_F(DriveSearchTest, StopsOnceWithAMessageWhenTheListIsFull) {
  makeFiles(root, {"one/a.mp3", "one/b.mp3", "one/c.mp3", "two/d.mp3", "two/e.mp3"});
  window.lines.alreadyHeld = DriveSearch::Capacity - 1;
  search();

  EXPECT_EQ(window.lines.count(), DriveSearch::Capacity);
  EXPECT_EQ(window.lines.entries.size(), 1u);
  EXPECT_EQ(window.log, QStringList({"animation stopped", "message Maximum capacity reached"}));
  ASSERT_EQ(ui.shown().size(), 1u);
  EXPECT_EQ(ui.shown()[0].box, UiDouble::Box::Information);
}

struct AbortCase {
  const ListWindowKind& kind;
  QStringList steps;
};

class SearchAbortTest : public DriveSearchTest, public ::testing::WithParamInterface<int> {
 protected:
  AbortCase abortCase() const {
    if (GetParam() == 0)
      return {mediaPlayerLists(),
              {"list emptied", "controls reset", "animation stopped",
               "message Disk search aborted!", "focus"}};
    return {graphicsViewerLists(),
            {"animation stopped", "message Disk search aborted!", "list emptied", "controls reset",
             "focus"}};
  }
};

TEST_P(SearchAbortTest, EscapeEndsTheSearchAtTheNextMatchingFileWithAnEmptyListAndTheWindowReset) {
  makeFiles(root, {"a.wav", "b.wav", "sub/c.wav", "a.bmp", "b.bmp", "sub/c.bmp"});
  const AbortCase abort = abortCase();
  window.key = "ALL";
  // Escape arrives while the second matching file's events are processed.
  ui.whileProcessing = [&] { window.SearchAbortRequested = ui.processed() >= 3; };

  EXPECT_THROW(search(abort.kind), SearchEnded);
  EXPECT_EQ(window.log, abort.steps);
  EXPECT_EQ(window.lines.count(), 0);
  EXPECT_FALSE(window.SearchRunning);
  EXPECT_EQ(ui.processed(), 4);
  ASSERT_EQ(ui.shown().size(), 1u);
  EXPECT_EQ(ui.shown()[0].box, UiDouble::Box::Warning);
}

INSTANTIATE_TEST_SUITE_P(BothWindows, SearchAbortTest, ::testing::Values(0, 1));

TEST_F(DriveSearchTest, TheProgramEndingWhileItSearchesEndsTheSearchAtOnceWithoutAMessage) {
  makeFiles(root, {"a.mp3", "b.mp3", "sub/c.mp3", "sub/d.mp3"});
  // The window is closed while the first matching file's events are processed.
  ui.whileProcessing = [&] { ui.terminate(); };

  EXPECT_THROW(search(), SearchEnded);
  EXPECT_EQ(ui.processed(), 2);
  EXPECT_TRUE(ui.shown().empty());
  EXPECT_FALSE(window.SearchRunning);
}

TEST_F(DriveSearchTest, AListWithNoRoomLeftEndsTheSearchLikeAnAbortAfterItsOwnMessage) {
  makeFiles(root, {"a.mp3", "b.mp3", "c.mp3"});
  window.lines.room = 1;

  EXPECT_THROW(search(), SearchEnded);
  EXPECT_EQ(window.log, QStringList({"animation stopped", "list controls disabled", "list emptied",
                                     "list hidden", "message There are too many files!",
                                     "list emptied", "controls reset", "focus"}));
  EXPECT_FALSE(window.lines.visible);
  EXPECT_FALSE(window.saveListCommandEnabled);
  EXPECT_FALSE(window.SearchRunning);
  EXPECT_EQ(ui.shown()[0].box, UiDouble::Box::Information);
}

}  // namespace
