#include <gtest/gtest.h>
#include <QCoreApplication>

#include "platform/qt_translations.h"

TEST(QtTranslations, QtsOwnTextsFollowTheLocaleWhereQtIsTranslated) {
  QCoreApplication& application = *QCoreApplication::instance();
  EXPECT_FALSE(installQtTranslations(application, QLocale(QLocale::Sanskrit)));
  EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Cancel");
  ASSERT_TRUE(installQtTranslations(application, QLocale(QLocale::German)));
  EXPECT_EQ(QCoreApplication::translate("QPlatformTheme", "Cancel"), "Abbrechen");
}
