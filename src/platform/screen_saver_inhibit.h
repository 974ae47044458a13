#pragma once

#include <QString>
#include <optional>

// Asks the desktop's screen saver (org.freedesktop.ScreenSaver on the session
// bus) not to blank the screen until released. Without a session bus or
// without the service it does nothing.
class ScreenSaverInhibit {
 public:
  explicit ScreenSaverInhibit(QString reason) : reason_(std::move(reason)) {}
  ~ScreenSaverInhibit() { release(); }
  ScreenSaverInhibit(const ScreenSaverInhibit&) = delete;
  ScreenSaverInhibit& operator=(const ScreenSaverInhibit&) = delete;

  void hold();
  void release();
  bool held() const { return held_; }

 private:
  QString reason_;
  bool held_ = false;
  // The desktop's cookie for our request; none when it could not be asked.
  std::optional<uint> cookie_;
};
