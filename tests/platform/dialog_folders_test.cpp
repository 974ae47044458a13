#include <gtest/gtest.h>
#include <QDir>
#include <QTemporaryDir>

#include "platform/dialog_folders.h"

TEST(DialogFolders, EachKindOfDialogStartsWhereItWasLastUsedInAnEarlierRun) {
  QTemporaryDir dir;
  const QString file = dir.filePath("dialogs.conf");
  QDir(dir.path()).mkdir("music");
  const FileDialogRequest sounds{"", "Sound (*.wav *.mp3)", "", ""};
  const FileDialogRequest pictures{"", "Pictures (*.bmp);;All files (*)", "", ""};
  DialogFolders(file).remember(sounds, dir.filePath("music/a.wav"));

  const DialogFolders nextRun(file);
  EXPECT_EQ(nextRun.startingWhereLastUsed(sounds).initialDirectory, dir.filePath("music"));
  EXPECT_EQ(nextRun.startingWhereLastUsed(pictures).initialDirectory, "");
  const FileDialogRequest named{"", sounds.filter, "/tmp/list.qpl", ""};
  EXPECT_EQ(nextRun.startingWhereLastUsed(named).initialDirectory, "/tmp/list.qpl")
      << "a folder or name the window gives stays";
  QDir(dir.filePath("music")).removeRecursively();
  EXPECT_EQ(nextRun.startingWhereLastUsed(sounds).initialDirectory, "") << "a folder gone";
}
