#pragma once

#include <cstdint>
#include <memory>
#include <optional>

#include "services/media_device/media_device.h"
#include "windows/cd/play_order.h"

// What the CD player plays, free of widgets: the CD device, the track chosen,
// the play order, the pause this program made, the flags of a track change
// and the place chosen on the slider. The window's handlers ask it what to do
// next and act on the answer; the rest of the program asks it what plays,
// never the window's labels.
class CdPlayback {
 public:
  explicit CdPlayback(std::unique_ptr<MediaDevice> device);

  MediaDevice& device() const { return *device_; }

  // The track chosen, while it sounds or our pause holds it.
  std::optional<int> trackPlaying() const;
  bool paused() const { return PausedHere && CurrentTrack != 0; }
  bool sounding() const;

  // Next and Previous in track order: the ticked track they land on, and
  // which way the search found it. Past the last ticked track Next turns
  // back, and before the first Previous turns forward, so either restarts the
  // track at the end it ran off. Nothing when no box is ticked.
  struct TickedStep {
    int track;
    int step;  // +1 found going up, -1 going down
  };
  std::optional<TickedStep> stepToTicked(const PlayOrder::Ticks& ticks, int listed, int step);

  // What a display tick does, from the device's mode and position.
  enum class TickStep {
    Eject,  // the disc is gone
    PlayInOrder,  // random or selected order: the next of the order plays
    SelectionEnded,  // the last ticked track ended: Stop
    TrackEnded,  // the next ticked track follows
    IntroEnded,  // the intro scan heard enough: Next
    ShowPosition,
  };
  TickStep displayTick(DeviceMode mode, std::uint32_t position, int highestTicked, bool introScan,
                       bool playCheck);
  // The advance skips the one call a Next, Previous or ended selection made;
  // true when it did.
  bool skipOneAdvance();
  // Intro scan stops after the last ticked track, or the last of the selected
  // order; random play goes on for ever.
  bool introScanEnds(const PlayOrder::Ticks& ticks) const;

  // The slider chose a place in the track playing; "Cont" plays from it.
  void chooseSeek(int seconds);
  std::uint32_t seekPosition() const;

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
  std::unique_ptr<MediaDevice> device_;
};
