#include <gtest/gtest.h>
#include <QFile>
#include <QTemporaryDir>
#include <QUrl>
#include <QXmlStreamReader>

#include "platform/recent_files.h"

namespace {

// The files listed, each with the programs that used it.
QMap<QString, QStringList> listed(const QString& path) {
  QFile file(path);
  file.open(QIODevice::ReadOnly);
  QXmlStreamReader reader(&file);
  QMap<QString, QStringList> found;
  QString href;
  while (!reader.atEnd()) {
    if (reader.readNext() != QXmlStreamReader::StartElement) continue;
    if (reader.name() == u"bookmark") href = reader.attributes().value("href").toString();
    if (reader.name() == u"application")
      found[href] << reader.attributes().value("name").toString();
  }
  EXPECT_FALSE(reader.hasError()) << reader.errorString().toStdString();
  return found;
}

}  // namespace

TEST(RecentFiles, FilesJoinTheDesktopsListBesideOtherProgramsEntriesOnceEach) {
  QTemporaryDir dir;
  const QString path = dir.filePath("share/recently-used.xbel");
  XbelRecentFiles recent(path);
  const QString song = dir.filePath("a song.wav");
  recent.add({song});
  {
    // Another program uses a file of its own meanwhile.
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    QString text = QString::fromUtf8(file.readAll());
    file.close();
    text.replace("</xbel>",
                 "<bookmark href=\"file:///notes.txt\"><info><metadata owner=\"x\">"
                 "<bookmark:applications><bookmark:application name=\"Editor\"/>"
                 "</bookmark:applications></metadata></info></bookmark></xbel>");
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.write(text.toUtf8());
  }
  recent.add({song, dir.filePath("b.jpg"), song});

  const QString songHref = QUrl::fromLocalFile(song).toString(QUrl::FullyEncoded);
  const QMap<QString, QStringList> expected = {
      {songHref, {"Corvela Pro"}},
      {QUrl::fromLocalFile(dir.filePath("b.jpg")).toString(QUrl::FullyEncoded), {"Corvela Pro"}},
      {"file:///notes.txt", {"Editor"}}};
  EXPECT_EQ(listed(path), expected);
}
