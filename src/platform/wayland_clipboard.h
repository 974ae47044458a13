#pragma once

#include <QByteArray>
#include <stdexcept>
#include <string>

// A Wayland desktop lets a client set the clipboard only with an input event
// of its own, so a program without a window cannot; compositors that offer a
// data-control protocol (ext-data-control-v1, or wlroots' own) let it set the
// selection directly.
struct WaylandClipboardError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

enum class WaylandKeeping {
  Unavailable,  // no Wayland desktop, or one without data control
  Ended,  // another program took the clipboard
};

// Puts `bytes` on the clipboard as `mimeType` and answers every paste until
// another program takes the clipboard. Throws WaylandClipboardError when the
// desktop drops the connection on the way.
WaylandKeeping KeepOnWaylandClipboard(const std::string& mimeType, const QByteArray& bytes);
