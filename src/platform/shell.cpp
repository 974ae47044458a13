#include "platform/shell.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

void DesktopShell::openUrl(const QString& address) { QDesktopServices::openUrl(QUrl(address)); }

ProgramStart DesktopShell::startProgram(const QString& name) {
  const QString program = QStandardPaths::findExecutable(name);
  if (program.isEmpty()) return ProgramStart::NotFound;
  QProcess process;
  process.setProgram(program);
  process.setStandardInputFile(QProcess::nullDevice());
  process.setStandardOutputFile(QProcess::nullDevice());
  process.setStandardErrorFile(QProcess::nullDevice());
  return process.startDetached() ? ProgramStart::Started : ProgramStart::Failed;
}
