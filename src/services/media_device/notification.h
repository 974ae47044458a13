#pragma once

#include <QObject>
#include <functional>

#include "services/media_device/media_device.h"

// The completion event owed for a notified play. Each armed play ends with
// exactly one event, posted to the user-interface thread so that a handler
// never runs inside the command that caused it. Events still queued when the
// owner is destroyed are dropped with it.
class Notification {
 public:
  void setHandler(std::function<void(NotifyResult)> handler) { handler_ = std::move(handler); }

  // A new notified play: one still owed is superseded.
  void arm();
  bool armed() const { return armed_; }
  // Ends the owed play, if any, with this result.
  void finish(NotifyResult result);

 private:
  QObject context_;
  std::function<void(NotifyResult)> handler_;
  bool armed_ = false;
};
