#include "platform/taskbar.h"

#include "platform/screen_saver_inhibit.h"

Taskbar::Taskbar()
    : inhibit_(std::make_unique<ScreenSaverInhibit>(
          "A slide show or a full-screen picture or video is on screen")) {}

Taskbar::~Taskbar() = default;

void Taskbar::show() {
  hidden_ = false;
  inhibitWhileNeeded();
}

void Taskbar::hide() {
  hidden_ = true;
  inhibitWhileNeeded();
}

void Taskbar::setSlideShowRunning(bool running) {
  slideShow_ = running;
  inhibitWhileNeeded();
}

bool Taskbar::screenSaverInhibited() const { return inhibit_->held(); }

void Taskbar::inhibitWhileNeeded() {
  if (hidden_ || slideShow_)
    inhibit_->hold();
  else
    inhibit_->release();
}
