#pragma once

// The desktop's panels, hidden while a picture or video fills the screen. On
// Linux a full-screen window covers them; the state is kept so the program
// knows what it asked for.
class Taskbar {
 public:
  void show() { hidden_ = false; }
  void hide() { hidden_ = true; }
  bool hidden() const { return hidden_; }

 private:
  bool hidden_ = false;
};
