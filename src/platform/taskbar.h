#pragma once

#include <memory>

class ScreenSaverInhibit;

// The desktop's panels, hidden while a picture or video fills the screen. On
// Linux the window itself takes the window system's full-screen state, which
// covers them; the state is kept so the program knows what it asked for.
// While the screen is filled or a slide show runs, the desktop is asked not
// to blank the screen.
class Taskbar {
 public:
  Taskbar();
  ~Taskbar();

  void show();
  void hide();
  bool hidden() const { return hidden_; }

  // A slide show keeps the screen awake whatever size it shows its pictures at.
  void setSlideShowRunning(bool running);
  bool screenSaverInhibited() const;

 private:
  void inhibitWhileNeeded();

  bool hidden_ = false;
  bool slideShow_ = false;
  std::unique_ptr<ScreenSaverInhibit> inhibit_;
};
