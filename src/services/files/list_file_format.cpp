#include "services/files/list_file_format.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <optional>

namespace {

constexpr char CtrlZ = 0x1a;

QByteArray lineEnd() { return "\r\n"; }

}  // namespace

void writeListFile(const QString& fileName, const QString& signature, const QStringList& paths) {
  QByteArray content = QFile::encodeName(signature) + lineEnd();
  for (const QString& path : paths) content += QFile::encodeName(path) + lineEnd();
  // Unbuffered: a buffered write that fails only when flushed on commit would
  // still replace the old file.
  QSaveFile file(fileName);
  if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) ||
      file.write(content) != content.size() || !file.commit())
    throw ListFileError(file.errorString().toStdString());
}

std::optional<QStringList> readListFile(const QString& fileName, const QString& signature) {
  QFile file(fileName);
  if (!file.open(QIODevice::ReadOnly)) throw ListFileError(file.errorString().toStdString());
  // A file that is no list may be anything of any size: only its first line is read.
  const QByteArray expected = QFile::encodeName(signature);
  QByteArray content = file.read(expected.size() + 1);
  const bool isList = splitListLines(content).value(0) == expected;
  if (isList) content += file.readAll();
  if (file.error() != QFileDevice::NoError) throw ListFileError(file.errorString().toStdString());
  if (!isList) return std::nullopt;
  QStringList entries;
  for (const QByteArray& line : splitListLines(content).sliced(1))
    entries << QFile::decodeName(line);
  return entries;
}

QList<QByteArray> splitListLines(QByteArrayView content) {
  const qsizetype end = content.indexOf(CtrlZ);
  if (end >= 0) content.truncate(end);
  QList<QByteArray> lines;
  qsizetype start = 0;
  while (start < content.size()) {
    qsizetype cr = content.indexOf('\r', start);
    if (cr < 0) cr = content.size();
    lines << content.sliced(start, cr - start).toByteArray();
    start = cr + 1;
    if (start < content.size() && content[start] == '\n') ++start;
  }
  return lines;
}

QString withListExtension(const QString& fileName, const QString& extension) {
  const qsizetype dot = fileName.lastIndexOf('.');
  if (dot <= fileName.lastIndexOf('/')) return fileName + extension;
  return fileName.left(dot) + extension;
}

QString LetterCaseResolver::resolve(const QString& path) {
  if (!path.startsWith('/') || QFileInfo::exists(path)) return path;
  QString resolved = "/";
  for (const QString& name : path.split('/', Qt::SkipEmptyParts)) {
    const std::optional<QString> entry = entryNamed(resolved, name);
    if (!entry) return path;
    resolved = QDir(resolved).filePath(*entry);
  }
  return resolved;
}

std::optional<QString> LetterCaseResolver::entryNamed(const QString& folder, const QString& name) {
  if (QFileInfo::exists(QDir(folder).filePath(name))) return name;
  auto known = folders_.find(folder);
  if (known == folders_.end()) {
    QHash<QString, QString> byLowerCase;
    // Of names that differ only in letter case, the first in name order wins.
    for (const QString& entry : QDir(folder).entryList(
             QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name))
      if (!byLowerCase.contains(entry.toLower())) byLowerCase.insert(entry.toLower(), entry);
    known = folders_.insert(folder, byLowerCase);
  }
  const auto entry = known->constFind(name.toLower());
  if (entry == known->constEnd()) return std::nullopt;
  return *entry;
}
