#include "wiring/media_keys.h"

#include <QApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QDir>
#include <QFileInfo>
#include <QPushButton>
#include <QSlider>
#include <QUrl>
#include <algorithm>

#include "program/form.h"
#include "program/forms.h"
#include "services/media_device/output_volume.h"
#include "wiring/front_window.h"
#include "wiring/handed_files.h"

namespace {

const QString kServiceName = "org.mpris.MediaPlayer2.corvela";
const QString kObjectPath = "/org/mpris/MediaPlayer2";
const QString kPlayerInterface = "org.mpris.MediaPlayer2.Player";
const QString kTrackPath = "/org/corvela/track/";
constexpr int kWatchMs = 500;

// Asking for the session bus where there is none would start one.
bool sessionBusAround() {
  return !qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS") ||
         QFileInfo::exists(qEnvironmentVariable("XDG_RUNTIME_DIR") + "/bus");
}

bool pressable(const QPushButton* button) { return button->isEnabled(); }

}  // namespace

MediaPlayer2Root::MediaPlayer2Root(MediaKeys& keys) : QDBusAbstractAdaptor(&keys), keys_(keys) {}

MediaPlayer2Player::MediaPlayer2Player(MediaKeys& keys) : QDBusAbstractAdaptor(&keys), keys_(keys) {
  setAutoRelaySignals(true);
}

double MediaPlayer2Player::volume() const { return outputVolume(); }

// The sound follows at once; no window changes, so nothing waits for a handler.
void MediaPlayer2Player::setVolume(double volume) { setOutputVolume(volume); }

QStringList MediaPlayer2Root::mimeTypes() const { return handedFileTypes(); }

MediaKeys::MediaKeys(Forms& forms, HandedFiles& handedFiles)
    : forms_(forms), handedFiles_(handedFiles) {
  if (!sessionBusAround()) return;
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) return;
  new MediaPlayer2Root(*this);
  new MediaPlayer2Player(*this);
  if (!bus.registerObject(kObjectPath, this)) return;
  if (!bus.registerService(kServiceName)) {
    bus.unregisterObject(kObjectPath);
    return;
  }
  registered_ = true;
  announced_ = playerProperties();
  watch_.setInterval(kWatchMs);
  connect(&watch_, &QTimer::timeout, this, &MediaKeys::announceChanges);
  watch_.start();
}

MediaKeys::~MediaKeys() {
  if (!registered_) return;
  QDBusConnection bus = QDBusConnection::sessionBus();
  bus.unregisterService(kServiceName);
  bus.unregisterObject(kObjectPath);
}

void MediaKeys::later(std::function<void(FrontPlayer&)> command) {
  QTimer::singleShot(0, this, [this, command = std::move(command)] {
    if (Form::handlerRunning() || QApplication::activeModalWidget()) return;
    std::optional<FrontPlayer> player = frontPlayer(forms_);
    if (player) frontWindow(forms_).handleRequest([&] { command(*player); });
  });
}

bool MediaKeys::ask(const std::function<bool(const FrontPlayer&)>& question) {
  const std::optional<FrontPlayer> player = frontPlayer(forms_);
  return player && question(*player);
}

void MediaKeys::raise() {
  QTimer::singleShot(0, this, [this] { bringToFront(frontWindow(forms_)); });
}

void MediaKeys::quit() {
  QTimer::singleShot(0, this, [this] {
    if (!Form::handlerRunning() && !QApplication::activeModalWidget()) frontWindow(forms_).close();
  });
}

void MediaKeys::play() {
  later([](FrontPlayer& player) {
    if (player.paused())
      player.press(player.pause);
    else if (!player.playing() && pressable(player.play))
      player.press(player.play);
  });
}

void MediaKeys::pause() {
  later([](FrontPlayer& player) {
    if (player.playing() && pressable(player.pause)) player.press(player.pause);
  });
}

void MediaKeys::playPause() {
  ask([](const FrontPlayer& player) { return player.playing(); }) ? pause() : play();
}

void MediaKeys::stop() {
  later([](FrontPlayer& player) {
    if (pressable(player.stop)) player.press(player.stop);
  });
}

void MediaKeys::next() {
  later([](FrontPlayer& player) {
    if (pressable(player.next)) player.press(player.next);
  });
}

void MediaKeys::previous() {
  later([](FrontPlayer& player) {
    if (pressable(player.previous)) player.press(player.previous);
  });
}

void MediaKeys::seekBy(qint64 microseconds) { setPosition({}, position() + microseconds); }

// A position past the end is no place on the track: the call is ignored.
void MediaKeys::setPosition(const QString& trackId, qint64 microseconds) {
  later([this, trackId, microseconds](FrontPlayer& player) {
    if (!canSeek()) return;
    const std::optional<PlayingTrack> track = player.track();
    if (!track || (!trackId.isEmpty() && trackId != kTrackPath + track->id)) return;
    const qint64 step = player.microsecondsPerSliderStep;
    const qint64 value = std::max<qint64>(0, microseconds) / step;
    if (value > player.slider->maximum()) return;
    player.slideTo(int(value));
    emit Seeked(qlonglong(player.slider->value()) * step);
  });
}

// The files wait for the call's answer, then go in as the desktop hands them.
void MediaKeys::openUri(const QString& uri) {
  const QUrl url(uri);
  if (!url.isLocalFile()) return;
  QTimer::singleShot(0, this, [this, path = url.toLocalFile()] {
    handedFiles_.open(QDir::currentPath(), {path});
  });
}

QString MediaKeys::playbackStatus() {
  if (ask([](const FrontPlayer& player) { return player.playing(); })) return "Playing";
  if (ask([](const FrontPlayer& player) { return player.paused(); })) return "Paused";
  return "Stopped";
}

QVariantMap MediaKeys::metadata() {
  const std::optional<FrontPlayer> player = frontPlayer(forms_);
  const std::optional<PlayingTrack> track = player ? player->track() : std::nullopt;
  if (!track) return {};
  QVariantMap metadata{
      {"mpris:trackid", QVariant::fromValue(QDBusObjectPath(kTrackPath + track->id))},
      {"mpris:length", qlonglong(player->length())}};
  if (track->number > 0) metadata["xesam:trackNumber"] = track->number;
  if (!track->title.isEmpty()) metadata["xesam:title"] = track->title;
  if (!track->performers.isEmpty()) metadata["xesam:artist"] = track->performers;
  if (track->number == 0)
    metadata["xesam:url"] = QUrl::fromLocalFile(forms_.mediaFileOpen()).toString();
  return metadata;
}

qint64 MediaKeys::position() {
  const std::optional<FrontPlayer> player = frontPlayer(forms_);
  if (!player || !player->track()) return 0;
  return player->position();
}

bool MediaKeys::canGoNext() {
  return ask([](const FrontPlayer& player) { return pressable(player.next); });
}

bool MediaKeys::canGoPrevious() {
  return ask([](const FrontPlayer& player) { return pressable(player.previous); });
}

bool MediaKeys::canPlay() {
  return ask([](const FrontPlayer& player) { return player.paused() || pressable(player.play); });
}

bool MediaKeys::canPause() {
  return ask([](const FrontPlayer& player) { return player.playing() && pressable(player.pause); });
}

bool MediaKeys::canSeek() {
  return ask([](const FrontPlayer& player) {
    return player.slider->isVisible() && player.slider->isEnabled();
  });
}

QVariantMap MediaKeys::playerProperties() {
  return {{"PlaybackStatus", playbackStatus()},
          {"Metadata", metadata()},
          {"CanGoNext", canGoNext()},
          {"CanGoPrevious", canGoPrevious()},
          {"CanPlay", canPlay()},
          {"CanPause", canPause()},
          {"CanSeek", canSeek()},
          {"Volume", outputVolume()}};
}

// The players tell nobody of their changes, so they are watched.
void MediaKeys::announceChanges() {
  const QVariantMap now = playerProperties();
  QVariantMap changed;
  for (auto property = now.begin(); property != now.end(); ++property)
    if (announced_.value(property.key()) != property.value())
      changed[property.key()] = property.value();
  announced_ = now;
  if (changed.isEmpty()) return;
  QDBusMessage signal = QDBusMessage::createSignal(kObjectPath, "org.freedesktop.DBus.Properties",
                                                   "PropertiesChanged");
  signal << kPlayerInterface << changed << QStringList();
  QDBusConnection::sessionBus().send(signal);
}
