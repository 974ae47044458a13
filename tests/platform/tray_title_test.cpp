// The application title on a desktop with a tray: the tray icon's tooltip
// follows it. Runs on a virtual X server, where the test itself takes the
// tray's selection, as a tray host does; without it no icon is made.
#include <gtest/gtest.h>
#include <QApplication>
#include <QSystemTrayIcon>

#include "platform/qt_ui_services.h"

// Last: its macros clash with names above.
#include <X11/Xlib.h>

namespace {

// Holds the first screen's tray selection on a connection of its own.
class TrayHost {
 public:
  TrayHost() : display_(XOpenDisplay(nullptr)) {
    window_ = XCreateSimpleWindow(display_, DefaultRootWindow(display_), 0, 0, 1, 1, 0, 0, 0);
    XSetSelectionOwner(display_, XInternAtom(display_, "_NET_SYSTEM_TRAY_S0", False), window_,
                       CurrentTime);
    XSync(display_, False);
  }
  ~TrayHost() { XCloseDisplay(display_); }

 private:
  Display* display_;
  Window window_;
};

TEST(TrayTitle, WithoutATrayTheTitleMakesNoIcon) {
  QtUiServices ui;
  ui.setApplicationTitle("CD ejected");
  EXPECT_EQ(ui.trayIcon(), nullptr);
}

TEST(TrayTitle, WhereATrayExistsTheIconsTooltipFollowsTheTitle) {
  TrayHost host;
  QtUiServices ui;
  ui.setApplicationTitle("CD playing");
  ASSERT_NE(ui.trayIcon(), nullptr);
  EXPECT_TRUE(ui.trayIcon()->isVisible());
  ui.setApplicationTitle("CD ejected");
  EXPECT_EQ(ui.trayIcon()->toolTip(), "CD ejected");
}

}  // namespace

int main(int argc, char** argv) {
  qputenv("QT_QPA_PLATFORM", "xcb");
  QApplication application(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
