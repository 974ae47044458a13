#include "services/files/list_files.h"

#include <sys/resource.h>

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <csignal>

#include "fake_list_window.h"
#include "file_tree.h"
#include "services/files/list_file_format.h"
#include "services/files/list_window_kind.h"

namespace {

QByteArray contentOf(const QString& fileName) {
  QFile file(fileName);
  EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << fileName.toStdString();
  return file.readAll();
}

void writeContent(const QString& fileName, const QByteArray& content) {
  QFile file(fileName);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(content);
}

class ListFilesTest : public ListWindowTest {
 protected:
  void fill(const QStringList& paths, const QList<bool>& ticks) {
    for (qsizetype i = 0; i < paths.size(); ++i)
      window.lines.append(ListLine::forFile(paths[i]), ticks[i]);
  }
  void save(const ListWindowKind& kind, const QString& chosen) {
    ui.expectSaveFile(chosen);
    ListFiles(window, kind, ui).SaveListFile();
  }
  void load(const ListWindowKind& kind, const QString& chosen) {
    ui.expectOpenFiles({chosen});
    ListFiles(window, kind, ui).LoadListFile();
  }
  void expectRefused(const QString& wrongFileText) {
    EXPECT_EQ(ui.texts(), QStringList{wrongFileText});
    EXPECT_EQ(ui.shown().back().box, UiDouble::Box::Plain);
    EXPECT_EQ(window.lines.count(), 0);
    EXPECT_TRUE(window.lines.visible);
    EXPECT_FALSE(window.NamesFromList);
    EXPECT_EQ(window.listFileName, "previous.QPL");
  }
};

TEST_F(ListFilesTest, SavesTheTickedLinesAfterTheSignatureEachEndedByCrLfAndLoadsThemBackTicked) {
  makeFiles(root, {"Music/One.MP3", "Music/Two.wav"});
  const QString one = root + "/Music/One.MP3", two = root + "/Music/Two.wav";
  fill({root + "/a.mp3", one, root + "/b.mp3", two, root + "/c.mp3"},
       {false, true, false, true, false});
  const QString saved = root + "/mine.QPL";
  writeContent(saved, "an older list, longer than the new one will be ........................");
  const auto permissions =
      QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup;
  ASSERT_TRUE(QFile::setPermissions(saved, permissions));
  save(mediaPlayerLists(), root + "/mine");

  EXPECT_EQ(QFile::permissions(saved),
            permissions | QFileDevice::ReadUser | QFileDevice::WriteUser);
  EXPECT_EQ(contentOf(saved), "Corvela Pro Play List\r\n" + QFile::encodeName(one) + "\r\n" +
                                  QFile::encodeName(two) + "\r\n");
  EXPECT_EQ(window.listFileName, saved);
  EXPECT_EQ(ui.texts(),
            QStringList{"The Play List entitled: \"" + saved + "\" was successfully saved"});
  EXPECT_EQ(ui.shown().back().box, UiDouble::Box::Plain);

  window.listFileName.clear();
  load(mediaPlayerLists(), saved);
  ASSERT_EQ(window.lines.count(), 2);
  EXPECT_EQ(window.lines.line(0), ListLine({one.toLower(), one}));
  EXPECT_EQ(window.lines.line(1), ListLine({two.toLower(), two}));
  EXPECT_TRUE(window.lines.ticked(0) && window.lines.ticked(1));
  EXPECT_TRUE(window.lines.visible);
  EXPECT_TRUE(window.NamesFromList);
  EXPECT_EQ(window.listFileName, saved);
  EXPECT_EQ(ui.openedFiles(), (QStringList{one, two}));
}

TEST_F(ListFilesTest,
       ASavedListNamesItsFilesByTheirRealPathsAndALoadedOneFindsThemRegardlessOfCase) {
  makeFiles(root, {"Albums/Late/Song.MP3"});
  const QString real = root + "/Albums/Late/Song.MP3";
  const QString missing = root + "/Albums/gone.mp3";
  writeContent(root + "/hand.qpl", "Corvela Pro Play List\r\n" + QFile::encodeName(real.toLower()) +
                                       "\r\n" + QFile::encodeName(missing) + "\r\n\r\n");
  load(mediaPlayerLists(), root + "/hand.qpl");

  ASSERT_EQ(window.lines.count(), 3);
  EXPECT_EQ(window.lines.line(0), ListLine({real.toLower(), real}));
  EXPECT_EQ(window.lines.line(1), ListLine({missing.toLower(), missing}));
  EXPECT_EQ(window.lines.line(2), ListLine({}));
}

TEST_F(ListFilesTest, RefusesAFileWhoseFirstLineIsNotExactlyItsSignature) {
  const QByteArray notLists[] = {"corvela pro play list\r\n/a.mp3\r\n",
                                 "Corvela Pro Play List\n/a.mp3\n",  // one line: LF ends none
                                 "Corvela Pro Play Lists\r\n", ""};
  for (const QByteArray& content : notLists) {
    writeContent(root + "/wrong.qpl", content);
    load(mediaPlayerLists(), root + "/wrong.qpl");
    expectRefused("This is not a Corvela Pro Play List!");
    ui.clear();
  }
}

TEST_F(ListFilesTest, ASignatureAloneIsAnEmptyListLoadedWithoutAWord) {
  for (const char* content : {"Corvela Pro Play List\r\n", "Corvela Pro Play List\x1a/a"}) {
    window.NamesFromList = false;
    writeContent(root + "/empty.qpl", content);
    load(mediaPlayerLists(), root + "/empty.qpl");
    EXPECT_EQ(window.lines.count(), 0);
    EXPECT_TRUE(window.NamesFromList);
    EXPECT_EQ(window.listFileName, root + "/empty.qpl");
  }
  EXPECT_TRUE(ui.shown().empty());
}

TEST_F(ListFilesTest, APlayListIsNoDisplayListNorTheOtherWayRound) {
  fill({root + "/a.bmp"}, {true});
  save(graphicsViewerLists(), root + "/pictures");
  save(mediaPlayerLists(), root + "/sounds");
  ui.clear();
  window.listFileName = "previous.QPL";

  load(mediaPlayerLists(), root + "/pictures.QDL");
  expectRefused("This is not a Corvela Pro Play List!");
  ui.clear();
  load(graphicsViewerLists(), root + "/sounds.QPL");
  expectRefused("This is not a Corvela Pro Display List!");
}

TEST_F(ListFilesTest, ReadsLinesEndedByCrWithOneLfTakenAlongAndStopsAtCtrlZ) {
  using Lines = QList<QByteArray>;
  EXPECT_EQ(splitListLines("sig\r\na\r\nb\r\n"), Lines({"sig", "a", "b"}));
  EXPECT_EQ(splitListLines("sig\ra\r\n\nb"), Lines({"sig", "a", "\nb"}));
  EXPECT_EQ(splitListLines("sig\na\nb\n"), Lines({"sig\na\nb\n"}));
  EXPECT_EQ(splitListLines("sig\r\n\r\n\r\na"), Lines({"sig", "", "", "a"}));
  EXPECT_EQ(splitListLines("sig\r\na\x1a\r\nb\r\n"), Lines({"sig", "a"}));
  EXPECT_EQ(splitListLines(""), Lines());
}

TEST_F(ListFilesTest, SavedNamesTakeTheListExtensionInUpperCase) {
  EXPECT_EQ(withListExtension("/d/play.txt", ".QPL"), "/d/play.QPL");
  EXPECT_EQ(withListExtension("/d/play.qpl", ".QPL"), "/d/play.QPL");
  EXPECT_EQ(withListExtension("/d/play", ".QDL"), "/d/play.QDL");
  EXPECT_EQ(withListExtension("/d.old/play", ".QPL"), "/d.old/play.QPL");
}

TEST_F(ListFilesTest, TheSaveDialogOffersThePlayListLastChosenButAlwaysAFreshDisplayList) {
  fill({root + "/a.mp3"}, {true});
  save(mediaPlayerLists(), root + "/first.qpl");
  save(mediaPlayerLists(), root + "/second");
  ListFiles pictures(window, graphicsViewerLists(), ui);
  for (int i = 0; i < 2; ++i) {
    ui.expectSaveFile(root + "/shown");
    pictures.SaveListFile();
  }
  // A fresh ListFiles per save above stands for the first save of a run.
  ListFiles sounds(window, mediaPlayerLists(), ui);
  ui.expectSaveFile(root + "/third");
  sounds.SaveListFile();
  ui.expectSaveFile(std::nullopt);
  sounds.SaveListFile();

  QStringList offered;
  for (const FileDialogRequest& dialog : ui.dialogs) offered << dialog.initialDirectory;
  EXPECT_EQ(offered, QStringList({"*.qpl", "*.qpl", "*.qdl", "*.qdl", "*.qpl", root + "/third"}));
}

// Files beyond this size cannot be written, whoever writes them.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    std::signal(SIGXFSZ, SIG_IGN);
    getrlimit(RLIMIT_FSIZE, &previous_);
    rlimit limit = previous_;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &previous_); }

 private:
  rlimit previous_;
};

TEST_F(ListFilesTest, AFailedSaveIsReportedAndLeavesThePreviousFileWhole) {
  const QByteArray previous = "Corvela Pro Play List\r\n/kept/song.mp3\r\n";
  writeContent(root + "/mine.QPL", previous);
  window.NamesFromList = true;
  fill({root + "/" + QString(200, 'x') + ".mp3"}, {true});
  {
    FileSizeLimit small(64);
    save(mediaPlayerLists(), root + "/mine");
  }

  EXPECT_EQ(contentOf(root + "/mine.QPL"), previous);
  EXPECT_EQ(QDir(root).entryList(QDir::Files | QDir::Hidden), QStringList{"mine.QPL"});
  EXPECT_EQ(ui.texts(), QStringList{"Cannot Save Play List File: " + root +
                                    "/mine.QPL\r\r(Please ensure you are not trying to\ruse a "
                                    "long filename on a RAMDrive)"});
  EXPECT_EQ(ui.shown().back().box, UiDouble::Box::Error);
  EXPECT_FALSE(window.NamesFromList);
  EXPECT_FALSE(window.lines.visible);
  EXPECT_FALSE(window.saveListCommandEnabled);
  EXPECT_EQ(window.listFileName, root + "/mine.QPL");
}

TEST_F(ListFilesTest, AFileThatCannotBeReadIsReportedAndTheListPutAside) {
  fill({"/old.mp3"}, {true});
  window.NamesFromList = true;
  load(graphicsViewerLists(), root + "/missing.QDL");

  EXPECT_EQ(ui.texts(), QStringList{"Cannot open Display List file"});
  EXPECT_EQ(ui.shown().back().box, UiDouble::Box::Error);
  EXPECT_EQ(window.lines.count(), 0);
  EXPECT_FALSE(window.lines.visible);
  EXPECT_FALSE(window.saveListCommandEnabled);
  EXPECT_FALSE(window.NamesFromList);
  EXPECT_EQ(window.listFileName, "");
}

TEST_F(ListFilesTest, CancelledDialogsLeaveListAndFilesAlone) {
  fill({"/old.mp3"}, {true});
  ui.expectSaveFile(std::nullopt);
  ui.expectOpenFiles({});
  ListFiles files(window, mediaPlayerLists(), ui);
  files.SaveListFile();
  files.LoadListFile();

  EXPECT_EQ(window.lines.count(), 1);
  EXPECT_TRUE(window.log.isEmpty());
  EXPECT_TRUE(ui.shown().empty());
  EXPECT_EQ(window.listFileName, "previous.QPL");
  EXPECT_TRUE(QDir(root).isEmpty());
}

}  // namespace
