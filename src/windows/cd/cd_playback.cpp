#include "windows/cd/cd_playback.h"

#include <algorithm>
#include <utility>

#include "services/media_device/disc_toc.h"

namespace {
constexpr int kTrackBoxCount = PlayOrder::kMaxSelected;
constexpr int kIntroSeconds = 11;
}  // namespace

CdPlayback::CdPlayback(std::unique_ptr<MediaDevice> device) : device_(std::move(device)) {}

bool CdPlayback::sounding() const {
  return device_->isOpen() && device_->mode() == DeviceMode::Playing;
}

std::optional<int> CdPlayback::trackPlaying() const {
  if (CurrentTrack == 0 || !(sounding() || PausedHere)) return std::nullopt;
  return CurrentTrack;
}

std::optional<CdPlayback::TickedStep> CdPlayback::stepToTicked(const PlayOrder::Ticks& ticks,
                                                               int listed, int step) {
  // A track above the boxes (from the single track dialog) steps from their end.
  if (CurrentTrack > kTrackBoxCount) CurrentTrack = step > 0 ? 0 : kTrackBoxCount;
  int from = step > 0 ? std::min(CurrentTrack + 1, listed) : CurrentTrack - 1;
  // Each way once, then the other way back from where the first search began.
  for (int turn = 0; turn < 3; ++turn, step = -step) {
    if (const int n = PlayOrder::tickedFrom(ticks, from, step)) return TickedStep{n, step};
    from = step > 0 ? from - 1 : 1;
  }
  return std::nullopt;
}

CdPlayback::TickStep CdPlayback::displayTick(DeviceMode mode, std::uint32_t position,
                                             int highestTicked, bool introScan, bool playCheck) {
  // A disc that can no longer be read was taken out of the drive.
  if (mode == DeviceMode::NotReady) return TickStep::Eject;
  if (mode == DeviceMode::Stopped) {
    if (RandomMode || SelectMode) return TickStep::PlayInOrder;
    if (highestTicked > CurrentTrack) return TickStep::TrackEnded;
    SelectionEnded = true;
    return TickStep::SelectionEnded;
  }
  if (introScan && unpackTmsf(position).seconds >= kIntroSeconds) return TickStep::IntroEnded;
  if (playCheck && position == LastPolledPosition && mode != DeviceMode::Playing)
    return TickStep::Eject;
  if (playCheck) LastPolledPosition = position;
  return TickStep::ShowPosition;
}

bool CdPlayback::skipOneAdvance() {
  if (!NextPressed && !PreviousPressed && !SelectionEnded) return false;
  NextPressed = PreviousPressed = SelectionEnded = false;
  return true;
}

bool CdPlayback::introScanEnds(const PlayOrder::Ticks& ticks) const {
  if (RandomMode) return false;
  return SelectMode ? Order.selectedUsedUp() : PlayOrder::introScanEndsAfter(ticks, CurrentTrack);
}

void CdPlayback::chooseSeek(int seconds) {
  SeekSeconds = seconds % 60;
  SeekMinutes = seconds / 60;
}

std::uint32_t CdPlayback::seekPosition() const {
  return packTmsf({CurrentTrack, SeekMinutes, SeekSeconds, 0});
}
