#pragma once

#include <QString>

// One line of a selection list: the lower-case text that the list shows,
// compares and counts, and beside it the file's real path, which is what opens
// the file on a file system that tells letter case apart.
struct ListLine {
  QString text;
  QString path;

  static ListLine forFile(const QString& path) { return {path.toLower(), path}; }
  friend bool operator==(const ListLine&, const ListLine&) = default;
};
