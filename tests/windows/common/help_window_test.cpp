#include <gtest/gtest.h>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

#include "windows/common/help_window.h"

namespace {

void writePage(const QDir& folder, const QString& name, const QString& keywords,
               const QString& body) {
  QFile page(folder.filePath(name));
  ASSERT_TRUE(page.open(QIODevice::WriteOnly));
  page.write(("<html><head><title>" + name + "</title><meta name=\"keywords\" content=\"" +
              keywords + "\"></head><body>" + body + "</body></html>")
                 .toUtf8());
}

}  // namespace

TEST(HelpWindow, TheKeywordSearchFindsAPageByTheFirstLettersOfAKeyword) {
  QTemporaryDir dir;
  const QDir folder(dir.path());
  writePage(folder, "index.html", "Contents", "Welcome");
  writePage(folder, "cd_player.html", "Load, Eject, Intro scan", "Playing audio discs");
  writePage(folder, "viewer.html", "Slide show, Eject", "Pictures");

  HelpWindow help;
  help.showKeywordSearch(dir.path());
  EXPECT_TRUE(help.page()->toPlainText().contains("Welcome"));
  EXPECT_EQ(help.keywords()->count(), 5);

  QTest::keyClicks(help.search(), "int");
  ASSERT_NE(help.keywords()->currentItem(), nullptr);
  EXPECT_EQ(help.keywords()->currentItem()->text(), "Intro scan");
  QTest::keyClick(help.search(), Qt::Key_Return);
  EXPECT_TRUE(help.page()->toPlainText().contains("Playing audio discs"));

  const HelpIndex index(dir.path());
  EXPECT_EQ(index.pagesFor("eject").size(), 2) << "a keyword may lead to several pages";
}
