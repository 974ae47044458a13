#include "platform/screen_saver_inhibit.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusReply>

namespace {

// A desktop that does not answer at once must not hold up a picture.
constexpr int AnswerMilliseconds = 500;

QDBusMessage screenSaverCall(const QString& method, const QVariantList& arguments) {
  QDBusMessage call =
      QDBusMessage::createMethodCall("org.freedesktop.ScreenSaver", "/org/freedesktop/ScreenSaver",
                                     "org.freedesktop.ScreenSaver", method);
  call.setArguments(arguments);
  return call;
}

}  // namespace

void ScreenSaverInhibit::hold() {
  if (held_) return;
  held_ = true;
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) return;
  const QDBusReply<uint> reply =
      bus.call(screenSaverCall("Inhibit", {QStringLiteral("Corvela Pro"), reason_}), QDBus::Block,
               AnswerMilliseconds);
  if (reply.isValid()) cookie_ = reply.value();
}

void ScreenSaverInhibit::release() {
  if (!held_) return;
  held_ = false;
  if (!cookie_) return;
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (bus.isConnected()) bus.send(screenSaverCall("UnInhibit", {*cookie_}));
  cookie_.reset();
}
