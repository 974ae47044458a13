#pragma once

#include <QString>
#include <QStringList>

// Writes each file (a relative path; its folders are made as needed) under
// the root, holding a few bytes.
void makeFiles(const QString& root, const QStringList& relativePaths);

// Makes the process's current directory the given one for a scope.
class CurrentDirectory {
 public:
  explicit CurrentDirectory(const QString& directory);
  ~CurrentDirectory();

 private:
  QString previous_;
};
