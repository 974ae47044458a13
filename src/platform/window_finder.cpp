#include "platform/window_finder.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <memory>
#include <optional>

namespace {

struct DisplayCloser {
  void operator()(Display* display) const { XCloseDisplay(display); }
};
using DisplayHandle = std::unique_ptr<Display, DisplayCloser>;

DisplayHandle openDisplay() {
  if (qEnvironmentVariableIsEmpty("DISPLAY")) return nullptr;
  return DisplayHandle(XOpenDisplay(nullptr));
}

bool hasClass(Display* display, Window window, const QByteArray& wanted) {
  XClassHint hint{};
  if (!XGetClassHint(display, window, &hint)) return false;
  const bool match = hint.res_class && wanted == hint.res_class;
  if (hint.res_name) XFree(hint.res_name);
  if (hint.res_class) XFree(hint.res_class);
  return match;
}

// Top-level windows sit below the root, or one level lower inside a window
// manager's frame.
std::optional<Window> findWindow(Display* display, Window parent, const QByteArray& wanted,
                                 int depth) {
  Window root = 0, parentOut = 0, *children = nullptr;
  unsigned int count = 0;
  if (!XQueryTree(display, parent, &root, &parentOut, &children, &count)) return std::nullopt;
  std::optional<Window> found;
  for (unsigned int i = 0; i < count && !found; ++i) {
    if (hasClass(display, children[i], wanted))
      found = children[i];
    else if (depth > 0)
      found = findWindow(display, children[i], wanted, depth - 1);
  }
  if (children) XFree(children);
  return found;
}

std::optional<Window> findTopLevel(Display* display, const QString& windowClass) {
  return findWindow(display, DefaultRootWindow(display), windowClass.toLocal8Bit(), 1);
}

}  // namespace

bool X11WindowFinder::exists(const QString& windowClass) const {
  DisplayHandle display = openDisplay();
  return display && findTopLevel(display.get(), windowClass).has_value();
}

void X11WindowFinder::askToClose(const QString& windowClass) {
  DisplayHandle display = openDisplay();
  if (!display) return;
  const std::optional<Window> window = findTopLevel(display.get(), windowClass);
  if (!window) return;
  XEvent event{};
  event.xclient.type = ClientMessage;
  event.xclient.window = *window;
  event.xclient.message_type = XInternAtom(display.get(), "WM_PROTOCOLS", False);
  event.xclient.format = 32;
  event.xclient.data.l[0] =
      static_cast<long>(XInternAtom(display.get(), "WM_DELETE_WINDOW", False));
  event.xclient.data.l[1] = CurrentTime;
  XSendEvent(display.get(), *window, False, NoEventMask, &event);
  XFlush(display.get());
}
