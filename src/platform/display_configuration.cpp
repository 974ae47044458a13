#include "platform/display_configuration.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

// After Qt: Xlib defines macros (Status, Bool, None) that Qt's headers use.
#include <X11/Xlib.h>

namespace {

// "Xft.dpi:\t120" among the resource lines.
QString xftDpi(const char* resources) {
  for (const QString& line : QString::fromLocal8Bit(resources).split('\n')) {
    const qsizetype colon = line.indexOf(':');
    if (colon > 0 && line.left(colon).trimmed() == "Xft.dpi") return line.mid(colon + 1).trimmed();
  }
  return {};
}

}  // namespace

std::optional<QString> SystemDisplayConfiguration::dpiLogicalX() const {
  if (QGuiApplication::platformName() != "xcb" || qEnvironmentVariableIsEmpty("DISPLAY"))
    return QString();
  Display* display = XOpenDisplay(nullptr);
  if (!display) return QString();
  const char* resources = XResourceManagerString(display);
  QString dpi = resources ? xftDpi(resources) : QString();
  XCloseDisplay(display);
  return dpi;
}

std::optional<int> SystemDisplayConfiguration::logPixels() const {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return std::nullopt;
  return static_cast<int>(std::lround(screen->logicalDotsPerInch()));
}
