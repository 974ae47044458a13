#pragma once

#include <cstdint>

// Decoded audio: 16-bit signed samples, interleaved. A frame is one sample
// for every channel.
struct PcmFormat {
  long rate = 0;
  int channels = 0;

  int64_t framesFromMs(int64_t ms) const { return ms * rate / 1000; }
  int64_t msFromFrames(int64_t frames) const { return rate ? frames * 1000 / rate : 0; }
  int bytesPerFrame() const { return channels * 2; }
};
