#include "platform/program_data.h"

#include <QCoreApplication>
#include <QDir>

QString programDataDirectory() {
  const QDir programs(QCoreApplication::applicationDirPath());
  if (programs.exists("help")) return programs.path();
  // Where the installation puts the data, seen from the program's folder.
  return QDir::cleanPath(programs.filePath(CORVELA_DATA_FROM_PROGRAMS));
}
