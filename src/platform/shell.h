#pragma once

#include <QString>

// Hands things to the desktop: a web address to the user's browser.
class Shell {
 public:
  virtual ~Shell() = default;
  virtual void openUrl(const QString& address) = 0;
};

class DesktopShell : public Shell {
 public:
  void openUrl(const QString& address) override;
};
