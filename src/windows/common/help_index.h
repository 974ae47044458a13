#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

// The keyword index of a help folder: each page names its keywords in a
// <meta name="keywords"> line; a keyword may lead to several pages.
class HelpIndex {
 public:
  explicit HelpIndex(const QString& folder);

  QStringList keywords() const { return pages_.keys(); }
  // Pages (file paths) for a keyword, case-insensitively.
  QStringList pagesFor(const QString& keyword) const;
  // The first keyword that starts with the text typed, case-insensitively.
  QString firstMatch(const QString& typed) const;

 private:
  QMap<QString, QStringList> pages_;
};
