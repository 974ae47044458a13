#include "file_tree.h"

#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>

void makeFiles(const QString& root, const QStringList& relativePaths) {
  for (const QString& relative : relativePaths) {
    const QString path = root + '/' + relative;
    ASSERT_TRUE(QDir().mkpath(QFileInfo(path).path()));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("data");
  }
}

CurrentDirectory::CurrentDirectory(const QString& directory) : previous_(QDir::currentPath()) {
  EXPECT_TRUE(QDir::setCurrent(directory));
}

CurrentDirectory::~CurrentDirectory() { QDir::setCurrent(previous_); }
