#pragma once

#include <QString>

enum class ProgramStart { Started, NotFound, Failed };

// Hands things to the desktop: a web address to the user's browser, a
// program started by name on the program search path, this program's own
// folder first.
class Shell {
 public:
  virtual ~Shell() = default;
  virtual void openUrl(const QString& address) = 0;
  // Starts the program on its own; the caller neither waits for it nor keeps it.
  virtual ProgramStart startProgram(const QString& name) = 0;
};

class DesktopShell : public Shell {
 public:
  void openUrl(const QString& address) override;
  ProgramStart startProgram(const QString& name) override;

  // The program's path: in this program's own folder first, then on the search path.
  static QString findProgram(const QString& name);
};
