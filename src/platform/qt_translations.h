#pragma once

#include <QLocale>

class QCoreApplication;

// Qt's own texts (the file and print dialogs, the standard buttons) in the
// language of the locale, where Qt's translations for it are installed; the
// program's own texts stay as they are. False where none are.
bool installQtTranslations(QCoreApplication& application, const QLocale& locale = QLocale());
