#include "windows/common/help_index.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

namespace {

QStringList keywordsOf(const QString& page) {
  QFile file(page);
  if (!file.open(QIODevice::ReadOnly)) return {};
  static const QRegularExpression meta(
      R"re(<meta\s+name\s*=\s*"keywords"\s+content\s*=\s*"([^"]*)")re",
      QRegularExpression::CaseInsensitiveOption);
  const QRegularExpressionMatch found = meta.match(QString::fromUtf8(file.readAll()));
  QStringList keywords;
  for (const QString& keyword : found.captured(1).split(',', Qt::SkipEmptyParts))
    if (!keyword.trimmed().isEmpty()) keywords << keyword.trimmed();
  return keywords;
}

}  // namespace

HelpIndex::HelpIndex(const QString& folder) {
  const QDir dir(folder);
  for (const QString& name : dir.entryList({"*.html"}, QDir::Files, QDir::Name))
    for (const QString& keyword : keywordsOf(dir.filePath(name)))
      pages_[keyword] << dir.filePath(name);
}

QStringList HelpIndex::pagesFor(const QString& keyword) const {
  for (auto entry = pages_.cbegin(); entry != pages_.cend(); ++entry)
    if (entry.key().compare(keyword, Qt::CaseInsensitive) == 0) return entry.value();
  return {};
}

QString HelpIndex::firstMatch(const QString& typed) const {
  for (const QString& keyword : pages_.keys())
    if (keyword.startsWith(typed, Qt::CaseInsensitive)) return keyword;
  return {};
}
