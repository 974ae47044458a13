#include "platform/recent_files.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QSaveFile>
#include <QSet>
#include <QUrl>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace {

const QString kBookmarkNamespace = "http://www.freedesktop.org/standards/desktop-bookmarks";
const QString kMimeNamespace = "http://www.freedesktop.org/standards/shared-mime-info";

// The other programs' entries, copied as they are; the entries of the files
// listed again are left out, to be written anew.
void copyOthers(QXmlStreamReader& reader, QXmlStreamWriter& writer, const QSet<QString>& again) {
  int skipping = 0;
  while (!reader.atEnd()) {
    reader.readNext();
    if (reader.isStartDocument() || reader.isEndDocument() || reader.hasError()) continue;
    if (reader.isEndElement() && reader.name() == u"xbel" && skipping == 0) return;
    if (skipping == 0 && reader.isStartElement() && reader.name() == u"bookmark" &&
        again.contains(reader.attributes().value("href").toString()))
      skipping = 1;
    else if (skipping > 0 && reader.isStartElement())
      ++skipping;
    else if (skipping > 0 && reader.isEndElement())
      --skipping;
    else if (skipping == 0 && !(reader.isStartElement() && reader.name() == u"xbel"))
      writer.writeCurrentToken(reader);
  }
}

void writeBookmark(QXmlStreamWriter& writer, const QString& href, const QString& file,
                   const QString& now) {
  writer.writeStartElement("bookmark");
  writer.writeAttribute("href", href);
  for (const char* time : {"added", "modified", "visited"}) writer.writeAttribute(time, now);
  writer.writeStartElement("info");
  writer.writeStartElement("metadata");
  writer.writeAttribute("owner", "http://freedesktop.org");
  writer.writeEmptyElement(kMimeNamespace, "mime-type");
  writer.writeAttribute("type", QMimeDatabase().mimeTypeForFile(file).name());
  writer.writeStartElement(kBookmarkNamespace, "applications");
  writer.writeEmptyElement(kBookmarkNamespace, "application");
  writer.writeAttribute("name", "Corvela Pro");
  writer.writeAttribute("exec", "'corvela %u'");
  writer.writeAttribute("modified", now);
  writer.writeAttribute("count", "1");
  writer.writeEndElement();
  writer.writeEndElement();
  writer.writeEndElement();
  writer.writeEndElement();
}

}  // namespace

XbelRecentFiles::XbelRecentFiles(QString path) : path_(std::move(path)) {}

QString XbelRecentFiles::defaultPath() {
  QString base = qEnvironmentVariable("XDG_DATA_HOME");
  if (base.isEmpty()) base = QDir::homePath() + "/.local/share";
  return base + "/recently-used.xbel";
}

namespace {

QString hrefOf(const QString& file) {
  return QUrl::fromLocalFile(file).toString(QUrl::FullyEncoded);
}

}  // namespace

void XbelRecentFiles::add(const QStringList& files) {
  QStringList listed;
  for (const QString& file : files) listed << QFileInfo(file).absoluteFilePath();
  listed.removeDuplicates();
  QSet<QString> again;
  for (const QString& file : listed) again.insert(hrefOf(file));
  QFile old(path_);
  QXmlStreamReader reader;
  if (old.open(QIODevice::ReadOnly)) reader.setDevice(&old);
  QDir().mkpath(QFileInfo(path_).path());
  QSaveFile list(path_);
  if (!list.open(QIODevice::WriteOnly)) return;
  QXmlStreamWriter writer(&list);
  writer.setAutoFormatting(true);
  writer.writeStartDocument();
  writer.writeNamespace(kBookmarkNamespace, "bookmark");
  writer.writeNamespace(kMimeNamespace, "mime");
  writer.writeStartElement("xbel");
  writer.writeAttribute("version", "1.0");
  copyOthers(reader, writer, again);
  const QString now = QDateTime::currentDateTimeUtc().toString(Qt::ISODate);
  for (const QString& file : listed) writeBookmark(writer, hrefOf(file), file, now);
  writer.writeEndElement();
  writer.writeEndDocument();
  // A list that could not be read whole is not replaced by a part of it.
  if (reader.hasError() && old.size() > 0) {
    list.cancelWriting();
    return;
  }
  list.commit();
}
