#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "pcm_format.h"

// Where decoded samples go. Written by the playback thread only; failures are
// thrown as output device failures.
class AudioOutput {
 public:
  virtual ~AudioOutput() = default;

  // Whether a write now would not run far ahead of what is heard.
  virtual bool hasRoom() = 0;
  virtual void write(std::span<const int16_t> samples) = 0;
  // No more samples follow.
  virtual void finish() = 0;
  // Everything written before finish() has been played.
  virtual bool drained() = 0;
  virtual void setPaused(bool paused) = 0;
  // Drops what is queued; played frames count from 0 again.
  virtual void flush() = 0;
  virtual int64_t playedFrames() = 0;
  // 0 to 1, for what is written before and after.
  virtual void setVolume(double volume) = 0;
};

// Prepares the default output's machinery; false when it cannot work.
bool defaultOutputReady();
std::unique_ptr<AudioOutput> makeDefaultOutput(const PcmFormat& format);
std::unique_ptr<AudioOutput> makePcmFileOutput(const PcmFormat& format,
                                               const std::string& fileName);
