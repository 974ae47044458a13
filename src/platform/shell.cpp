#include "platform/shell.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

void DesktopShell::openUrl(const QString& address) { QDesktopServices::openUrl(QUrl(address)); }

// The programs shipped with this one sit beside it, and those come first.
QString DesktopShell::findProgram(const QString& name) {
  const QString beside =
      QStandardPaths::findExecutable(name, {QCoreApplication::applicationDirPath()});
  return beside.isEmpty() ? QStandardPaths::findExecutable(name) : beside;
}

ProgramStart DesktopShell::startProgram(const QString& name) {
  const QString program = findProgram(name);
  if (program.isEmpty()) return ProgramStart::NotFound;
  QProcess process;
  process.setProgram(program);
  process.setStandardInputFile(QProcess::nullDevice());
  process.setStandardOutputFile(QProcess::nullDevice());
  process.setStandardErrorFile(QProcess::nullDevice());
  return process.startDetached() ? ProgramStart::Started : ProgramStart::Failed;
}
