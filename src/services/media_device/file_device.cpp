#include "services/media_device/file_device.h"

FileDevice::FileDevice(std::unique_ptr<FilePlayer> player) : player_(std::move(player)) {
  player_->onFinished([this](const QString& error) { finished(error); });
}

FileDevice::~FileDevice() { close(); }

void FileDevice::requireOpen() const {
  if (!open_) throw MediaDeviceError(DeviceErrorCode::NotOpen, "No media file is open.");
}

qint64 FileDevice::checked(std::uint32_t position) const {
  if (position > player_->length())
    throw MediaDeviceError(DeviceErrorCode::OutOfRange,
                           "The position given is beyond the end of the file.");
  return position;
}

void FileDevice::open(const QString& element) {
  run([&] {
    close();
    player_->open(element);
    open_ = true;
    position_ = 0;
  });
}

void FileDevice::close() {
  if (!open_) return;
  halt();
  player_->close();
  open_ = false;
  position_ = 0;
}

void FileDevice::play() {
  const PlayRequest request = takePlayRequest();
  run([&] {
    requireOpen();
    // A file played to its end plays again from its start.
    const qint64 from =
        request.start ? checked(*request.start) : (position_ >= player_->length() ? 0 : position());
    const qint64 to = request.end ? checked(*request.end) : player_->length();
    if (from > to)
      throw MediaDeviceError(DeviceErrorCode::OutOfRange, "The play would end before it starts.");
    if (request.notify)
      notification_.arm();
    else
      notification_.finish(NotifyResult::Superseded);
    playEnd_ = to;
    player_->play(from, to);
    transport_ = Transport::Playing;
  });
}

void FileDevice::stop() {
  run([&] {
    requireOpen();
    halt();
  });
}

void FileDevice::pause() {
  run([&] {
    requireOpen();
    if (transport_ == Transport::Paused) {
      resume();
    } else if (transport_ == Transport::Playing) {
      player_->pause();
      transport_ = Transport::Paused;
    }
  });
}

void FileDevice::resume() {
  run([&] {
    requireOpen();
    if (transport_ != Transport::Paused) return;
    player_->resume();
    transport_ = Transport::Playing;
  });
}

void FileDevice::eject() {
  lastError_ = DeviceErrorCode::Unsupported;
  throw MediaDeviceError(DeviceErrorCode::Unsupported, "A media file has no door to open.");
}

void FileDevice::seek(std::uint32_t position) {
  run([&] {
    requireOpen();
    const qint64 to = checked(position);
    halt();
    position_ = to;
  });
}

std::uint32_t FileDevice::trackLength(int track) const { return track == 1 ? length() : 0; }

std::uint32_t FileDevice::length() const {
  return open_ ? static_cast<std::uint32_t>(player_->length()) : 0;
}

std::uint32_t FileDevice::position() const {
  if (!open_) return 0;
  return static_cast<std::uint32_t>(transport_ == Transport::Stopped ? position_
                                                                     : player_->position());
}

DeviceMode FileDevice::mode() const {
  if (!open_) return DeviceMode::NotReady;
  switch (transport_) {
    case Transport::Playing:
      return DeviceMode::Playing;
    case Transport::Paused:
      return DeviceMode::Paused;
    case Transport::Stopped:
      break;
  }
  return DeviceMode::Stopped;
}

void FileDevice::setTimeFormat(TimeFormat format) {
  run([&] {
    if (format != TimeFormat::Milliseconds)
      throw MediaDeviceError(DeviceErrorCode::Unsupported,
                             "A media file has no tracks; its times are milliseconds.");
  });
}

// Ends whatever plays; a play still owed its event is aborted.
void FileDevice::halt() {
  if (transport_ != Transport::Stopped) {
    position_ = player_->position();
    player_->stop();
    transport_ = Transport::Stopped;
  }
  notification_.finish(NotifyResult::Aborted);
}

void FileDevice::finished(const QString& error) {
  if (!error.isEmpty()) lastError_ = DeviceErrorCode::PlaybackFailed;
  position_ = error.isEmpty() ? playEnd_ : player_->position();
  player_->stop();
  transport_ = Transport::Stopped;
  notification_.finish(error.isEmpty() ? NotifyResult::Successful : NotifyResult::Failed);
}
