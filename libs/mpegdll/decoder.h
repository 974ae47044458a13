#pragma once

#include <mpg123.h>

#include <cstdint>
#include <memory>
#include <span>

#include "input.h"
#include "pcm_format.h"

struct StreamFacts {
  int frequency = 0;
  int bitrate = 0;
  int stereoMode = 0;
  int layer = 0;
};

// One open MPEG audio input, decoded to 16-bit PCM with a fixed channel count.
// Positions are in PCM frames from the start of the audio.
class Decoder {
 public:
  explicit Decoder(std::unique_ptr<Input> input);
  Decoder(const Decoder&) = delete;
  Decoder& operator=(const Decoder&) = delete;

  const PcmFormat& format() const { return format_; }
  int64_t lengthFrames() const { return length_; }
  const StreamFacts& facts() const { return facts_; }

  // Goes to a frame (clamped to the audio) and returns where it landed.
  int64_t seek(int64_t frame);
  // Back to the first frame, also on a non-seekable input when its owner can rewind it.
  void rewind();
  // Fills as much of the buffer as one decoding step gives; an empty result
  // is the end (a damaged stream ends where it can no longer be decoded).
  std::span<const int16_t> read(std::span<int16_t> buffer);

 private:
  void openInput();
  void settleFormat();
  mpg123_handle* handle() const { return handle_.get(); }
  bool seekable() const { return input_->seekable(); }

  struct HandleDeleter {
    void operator()(mpg123_handle* handle) const { mpg123_delete(handle); }
  };

  // Declared after the input, so the decoder lets go of it before it closes.
  std::unique_ptr<Input> input_;
  std::unique_ptr<mpg123_handle, HandleDeleter> handle_;
  PcmFormat format_;
  StreamFacts facts_;
  int64_t length_ = 0;
  bool atStart_ = true;
};
