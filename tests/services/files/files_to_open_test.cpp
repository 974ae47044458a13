#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "file_tree.h"
#include "services/files/file_types.h"
#include "services/files/files_to_open.h"

TEST(FilesToOpen, NamedFilesOfTheTypesAndTheFilesDirectlyInNamedFolders) {
  QTemporaryDir root;
  makeFiles(root.path(), {"one.MP3", "notes.txt", "album/b.wav", "album/a.mid", "album/.hidden.wav",
                          "album/cover.jpg", "album/disc2/c.wav"});
  QFile::link(root.filePath("album"), root.filePath("linked"));
  const FileTypes types({".mp3", ".wav", ".mid"});

  const QStringList files =
      filesToOpen({root.filePath("one.MP3"), root.filePath("notes.txt"), root.filePath("gone.wav"),
                   root.filePath("album"), root.filePath("linked")},
                  types);

  const QString album = QDir(root.filePath("album")).canonicalPath();
  EXPECT_EQ(files, QStringList({root.filePath("one.MP3"), album + "/a.mid", album + "/b.wav",
                                album + "/a.mid", album + "/b.wav"}));
}
