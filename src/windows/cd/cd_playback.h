#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "services/media_device/media_device.h"
#include "windows/cd/play_order.h"

// What the CD player plays, free of widgets: the CD device, the track chosen,
// the play order, the pause this program made, the flags of a track change and the place
// chosen on the slider. The window's handlers keep it; the rest of the
// program asks it what plays, never the window's labels.
class CdPlayback {
 public:
  explicit CdPlayback(std::unique_ptr<MediaDevice> device);

  MediaDevice& device() const { return *device_; }

  // The track chosen, while it sounds or our pause holds it.
  std::optional<int> trackPlaying() const;
  bool paused() const { return PausedHere && CurrentTrack != 0; }

  int CurrentTrack = 0;
  std::uint32_t PausePosition = 0;
  bool PausedHere = false;  // the drive is paused by our own Pause
  bool IgnoreNotify = false;
  bool NextPressed = false;
  bool PreviousPressed = false;
  bool SelectionEnded = false;
  std::uint32_t LastPolledPosition = 0;
  int SeekMinutes = 0;
  int SeekSeconds = 0;

  // The play order: track order unless one of the two modes is on.
  bool RandomMode = false;
  bool SelectMode = false;
  PlayOrder Order;
  int SingleTrackRequest = 0;  // the single track dialog's number, for the next Play

 private:
  bool sounding() const;

  std::unique_ptr<MediaDevice> device_;
};
