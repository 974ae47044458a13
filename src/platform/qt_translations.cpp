#include "platform/qt_translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

bool installQtTranslations(QCoreApplication& application, const QLocale& locale) {
  auto* translations = new QTranslator(&application);
  if (!translations->load(locale, "qt", "_", QLibraryInfo::path(QLibraryInfo::TranslationsPath)) ||
      !application.installTranslator(translations)) {
    delete translations;
    return false;
  }
  return true;
}
