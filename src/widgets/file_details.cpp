#include "widgets/file_details.h"

#include <QFileInfo>
#include <QLocale>

#include "program/number_format.h"

namespace {

QString ageText(const QDateTime& modified, MidnightTime midnight) {
  const QLocale locale;
  const QString date = locale.toString(modified.date(), QLocale::ShortFormat);
  if (midnight == MidnightTime::LeftOut && modified.time() == QTime(0, 0)) return date;
  return date + ' ' + locale.toString(modified.time(), QLocale::LongFormat);
}

}  // namespace

QString listFileInUseText(const QString& kind, const QString& listFileName) {
  return kind + '"' + QFileInfo(listFileName).fileName() + "\" is currently in use.\r\r";
}

QString fileFactsText(const QString& shownName, const QString& path, MidnightTime midnight) {
  const QFileInfo file(path);
  return "Filename: " + shownName + "\r\r" + "File Size: " + formatCount(quint64(file.size())) +
         " bytes\r\r" + "Age: " + ageText(file.lastModified(), midnight);
}
