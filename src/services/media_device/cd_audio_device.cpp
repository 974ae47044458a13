#include "services/media_device/cd_audio_device.h"

#include "services/media_device/cd_drive.h"

namespace {

constexpr int kFramesPerMinute = 60 * kFramesPerSecond;

[[noreturn]] void outOfRange() {
  throw MediaDeviceError(DeviceErrorCode::OutOfRange, "The position given is outside the disc.");
}

}  // namespace

CdAudioDevice::CdAudioDevice(DriveFinder findDrive) : findDrive_(std::move(findDrive)) {}

CdAudioDevice::~CdAudioDevice() { close(); }

void CdAudioDevice::open(const QString& element) {
  run([&] {
    close();
    auto drive = findDrive_(element);
    drive->load();
    drive_ = std::move(drive);
    // Every open starts in TMSF, whatever the handle used before.
    format_ = TimeFormat::Tmsf;
  });
}

void CdAudioDevice::close() {
  if (!drive_) return;
  drive_->release(&notification_);
  drive_.reset();
}

CdDrive& CdAudioDevice::loadedDrive() const {
  if (!drive_) throw MediaDeviceError(DeviceErrorCode::NotOpen, "The CD device is not open.");
  if (!drive_->hasDisc())
    throw MediaDeviceError(DeviceErrorCode::NoDisc, "There is no disc in the CD drive.");
  return *drive_;
}

void CdAudioDevice::play() {
  const PlayRequest request = takePlayRequest();
  run([&] {
    CdDrive& drive = loadedDrive();
    const int from = request.start ? toFrame(*request.start) : drive.position();
    const int to = request.end ? toFrame(*request.end) : drive.disc().leadout;
    if (from > to) outOfRange();
    drive.play(from, to, request.notify ? &notification_ : nullptr);
  });
}

void CdAudioDevice::stop() {
  run([&] { loadedDrive().stop(); });
}

void CdAudioDevice::pause() {
  run([&] {
    CdDrive& drive = loadedDrive();
    if (drive.paused())
      drive.resume();
    else
      drive.pause();
  });
}

void CdAudioDevice::resume() {
  run([&] { loadedDrive().resume(); });
}

void CdAudioDevice::eject() {
  run([&] {
    if (!drive_) throw MediaDeviceError(DeviceErrorCode::NotOpen, "The CD device is not open.");
    drive_->eject();
  });
}

void CdAudioDevice::seek(std::uint32_t position) {
  run([&] {
    CdDrive& drive = loadedDrive();
    drive.seek(toFrame(position));
  });
}

int CdAudioDevice::trackCount() const { return drive_ ? drive_->disc().trackCount() : 0; }

std::uint32_t CdAudioDevice::trackLength(int track) const {
  return drive_ ? toLength(drive_->disc().trackLength(track)) : 0;
}

std::uint32_t CdAudioDevice::trackPosition(int track) const {
  if (track < 1 || track > trackCount()) return 0;
  return fromFrame(drive_->disc().trackStart(track));
}

std::uint32_t CdAudioDevice::length() const {
  if (!drive_ || !drive_->hasDisc()) return 0;
  return toLength(drive_->disc().leadout - drive_->disc().firstFrame());
}

std::uint32_t CdAudioDevice::position() const {
  if (!drive_ || !drive_->hasDisc()) return 0;
  return fromFrame(drive_->position());
}

DeviceMode CdAudioDevice::mode() const { return drive_ ? drive_->mode() : DeviceMode::NotReady; }

int CdAudioDevice::toFrame(std::uint32_t position) const {
  const DiscToc& disc = drive_->disc();
  int frame = 0;
  if (format_ == TimeFormat::Milliseconds) {
    frame = disc.firstFrame() + static_cast<int>(std::int64_t{position} * kFramesPerSecond / 1000);
  } else {
    const Tmsf at = unpackTmsf(position);
    if (at.track < 1 || at.track > disc.trackCount() + 1 || at.seconds >= 60 ||
        at.frames >= kFramesPerSecond)
      outOfRange();
    frame = disc.trackStart(at.track) + at.minutes * kFramesPerMinute +
            at.seconds * kFramesPerSecond + at.frames;
  }
  if (frame > disc.leadout) outOfRange();
  return frame;
}

std::uint32_t CdAudioDevice::fromFrame(int frame) const {
  const DiscToc& disc = drive_->disc();
  if (format_ == TimeFormat::Milliseconds)
    return static_cast<std::uint32_t>(std::int64_t{frame - disc.firstFrame()} * 1000 /
                                      kFramesPerSecond);
  const int track = disc.trackAt(frame);
  const int offset = frame - disc.trackStart(track);
  return packTmsf({track, offset / kFramesPerMinute, offset / kFramesPerSecond % 60,
                   offset % kFramesPerSecond});
}

std::uint32_t CdAudioDevice::toLength(int frames) const {
  if (format_ == TimeFormat::Milliseconds)
    return static_cast<std::uint32_t>(std::int64_t{frames} * 1000 / kFramesPerSecond);
  return packMsf(frames);
}
