#include "services/media_device/notification.h"

void Notification::arm() {
  finish(NotifyResult::Superseded);
  armed_ = true;
}

void Notification::finish(NotifyResult result) {
  if (!armed_) return;
  armed_ = false;
  if (!handler_) return;
  QMetaObject::invokeMethod(
      &context_, [handler = handler_, result] { handler(result); }, Qt::QueuedConnection);
}
