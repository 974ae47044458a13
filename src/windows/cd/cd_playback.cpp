#include "windows/cd/cd_playback.h"

CdPlayback::CdPlayback(std::unique_ptr<MediaDevice> device) : device_(std::move(device)) {}

bool CdPlayback::sounding() const {
  return device_->isOpen() && device_->mode() == DeviceMode::Playing;
}

std::optional<int> CdPlayback::trackPlaying() const {
  if (CurrentTrack == 0 || !(sounding() || PausedHere)) return std::nullopt;
  return CurrentTrack;
}
