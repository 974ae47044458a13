#include "services/media_device/cd_drive.h"

#include "services/media_device/notification.h"

CdDrive::CdDrive(std::unique_ptr<CdMechanism> mechanism) : mechanism_(std::move(mechanism)) {}

CdDrive::~CdDrive() {
  if (transport_ != Transport::Playing) return;
  // Silence ours at once, so that the sound is not heard twice.
  const int from = position();
  player_.reset();
  mechanism_->keepPlaying(from, end_);
}

void CdDrive::load() {
  if (doorOpen_) {
    mechanism_->closeDoor();
    doorOpen_ = false;
  }
  if (transport_ != Transport::Stopped) return;
  DiscToc disc;
  problem_.clear();
  try {
    disc = mechanism_->readDisc();
  } catch (const MediaDeviceError& error) {
    problem_ = error.message();
  }
  if (!keepsPlayerFor(disc)) player_ = disc.empty() ? nullptr : mechanism_->makePlayer();
  if (!player_) disc = {};
  if (disc != disc_) position_ = disc.firstFrame();
  disc_ = std::move(disc);
  const auto kept = mechanism_->takeOver();
  if (!player_) return;
  player_->onFinished([this](bool complete) { finished(complete); });
  if (!kept) return;
  player_->start(kept->from, kept->to);
  end_ = kept->to;
  transport_ = Transport::Playing;
}

// The same disc read again keeps its player, and with it the sound's output stream.
bool CdDrive::keepsPlayerFor(const DiscToc& disc) const {
  return player_ && !disc.empty() && disc == disc_ && mechanism_->playerFitsLastRead();
}

void CdDrive::eject() {
  stop();
  mechanism_->openDoor();
  doorOpen_ = true;
  player_.reset();
  disc_ = {};
  position_ = 0;
}

void CdDrive::release(Notification* handle) {
  if (owner_ != handle) return;
  owner_->finish(NotifyResult::Aborted);
  owner_ = nullptr;
}

QString CdDrive::volumeLabel() { return doorOpen_ ? QString() : mechanism_->volumeLabel(); }

void CdDrive::play(int from, int to, Notification* notify) {
  endPlay(NotifyResult::Superseded);
  owner_ = notify;
  if (owner_) owner_->arm();
  end_ = to;
  if (from >= to) {
    // Nothing to play: the play is over as soon as it began.
    if (transport_ != Transport::Stopped) player_->stop();
    transport_ = Transport::Stopped;
    position_ = from;
    endPlay(NotifyResult::Successful);
    return;
  }
  player_->start(from, to);
  transport_ = Transport::Playing;
}

void CdDrive::stop() {
  if (transport_ == Transport::Stopped) return;
  position_ = player_->position();
  player_->stop();
  transport_ = Transport::Stopped;
  endPlay(NotifyResult::Aborted);
}

void CdDrive::pause() {
  if (transport_ != Transport::Playing) return;
  player_->pause();
  transport_ = Transport::Paused;
}

void CdDrive::resume() {
  if (transport_ != Transport::Paused) return;
  player_->resume();
  transport_ = Transport::Playing;
}

void CdDrive::seek(int frame) {
  stop();
  position_ = frame;
}

int CdDrive::position() const {
  return transport_ == Transport::Stopped ? position_ : player_->position();
}

DeviceMode CdDrive::mode() const {
  if (doorOpen_) return DeviceMode::Open;
  if (!hasDisc()) return DeviceMode::NotReady;
  // A paused drive reports stopped, as classic CD audio drivers do.
  return transport_ == Transport::Playing ? DeviceMode::Playing : DeviceMode::Stopped;
}

void CdDrive::finished(bool complete) {
  position_ = complete ? end_ : player_->position();
  // A play that ended by itself is silent already, and its player may go on
  // with the next one without a break.
  if (!complete) player_->stop();
  transport_ = Transport::Stopped;
  // A disc that stopped reading may have been taken out: then the drive is empty.
  if (!complete && !sameDiscInside()) {
    disc_ = {};
    position_ = 0;
  }
  endPlay(complete ? NotifyResult::Successful : NotifyResult::Failed);
}

// This runs when the sound ends, outside any command: a disc that can no
// longer be read is not the one that played, and says why for the next open.
bool CdDrive::sameDiscInside() {
  try {
    return mechanism_->readDisc() == disc_;
  } catch (const MediaDeviceError& error) {
    problem_ = error.message();
    return false;
  }
}

void CdDrive::endPlay(NotifyResult result) {
  if (!owner_) return;
  owner_->finish(result);
  owner_ = nullptr;
}
