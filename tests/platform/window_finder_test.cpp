// Runs on a real X display (the build runs it under a virtual one).
// clang-format off: Xlib's macros must come after the other headers.
#include <gtest/gtest.h>

#include "platform/window_finder.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
// clang-format on

namespace {

// A top-level window of another program, with the given window class.
struct OtherProgramsWindow {
  explicit OtherProgramsWindow(const char* windowClass) : display(XOpenDisplay(nullptr)) {
    window = XCreateSimpleWindow(display, DefaultRootWindow(display), 0, 0, 50, 50, 0, 0, 0);
    XClassHint hint{const_cast<char*>("rival"), const_cast<char*>(windowClass)};
    XSetClassHint(display, window, &hint);
    deleteWindow = XInternAtom(display, "WM_DELETE_WINDOW", False);
    XSetWMProtocols(display, window, &deleteWindow, 1);
    XMapWindow(display, window);
    XSync(display, False);
  }
  ~OtherProgramsWindow() { XCloseDisplay(display); }

  bool askedToClose() {
    XSync(display, False);
    XEvent event;
    while (XPending(display)) {
      XNextEvent(display, &event);
      if (event.type == ClientMessage && static_cast<Atom>(event.xclient.data.l[0]) == deleteWindow)
        return true;
    }
    return false;
  }

  Display* display;
  Window window;
  Atom deleteWindow;
};

}  // namespace

TEST(X11WindowFinder, FindsAnotherProgramsWindowByClassAndAsksItToClose) {
  if (qEnvironmentVariableIsEmpty("DISPLAY")) GTEST_SKIP() << "no X display";
  OtherProgramsWindow rival("MPLAYER");
  X11WindowFinder finder;
  EXPECT_TRUE(finder.exists("MPLAYER"));
  EXPECT_FALSE(finder.exists("MEDIA PLAYER 2"));
  finder.askToClose("MEDIA PLAYER 2");
  EXPECT_FALSE(rival.askedToClose());
  finder.askToClose("MPLAYER");
  EXPECT_TRUE(rival.askedToClose());
}
