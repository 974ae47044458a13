#pragma once

#include <QTimer>
#include <atomic>
#include <memory>
#include <mutex>

#include "services/media_device/cd_drive.h"
#include "services/media_device/disc_source.h"
#include "services/media_device/media_device_factory.h"

namespace gst {
class Pipeline;
}
typedef struct _GstAppSrc GstAppSrc;

// Plays a disc's audio frames to an audio output. The output stream outlives
// each play: opening a stream on a sound server takes a second or more, which
// would be heard as silence at every change of track. A play that follows one
// that sounded to its end (the next ticked track) goes on in the stream; one
// that follows a stop or a pause, or replaces a play, empties the stream and
// starts it again.
class GstCdPlayer : public CdPlayer {
 public:
  GstCdPlayer(std::shared_ptr<const DiscSource> disc, AudioOutput output);
  ~GstCdPlayer() override;

  void start(int from, int to) override;
  void pause() override;
  void resume() override;
  void stop() override;
  int position() const override;

 private:
  enum class Stream {
    None,  // no output stream
    Sounding,
    Paused,
    Drained,  // the play sounded to its end; the stream waits for more
    Halted,  // stopped; the stream is kept a moment, silent
    Broken,  // the disc could not be read or the output failed
  };

  void feed();
  void feedFromStart();
  void makePipeline();
  void restartStream();
  bool streamUsable() const;
  void release();
  bool settling() const;
  quint64 runningTime() const;
  void end(bool complete);
  void fail();

  std::shared_ptr<const DiscSource> disc_;
  AudioOutput output_;
  std::unique_ptr<gst::Pipeline> pipeline_;
  GstAppSrc* source_ = nullptr;
  Stream stream_ = Stream::None;

  // Shared with the streaming thread, which feeds the output.
  mutable std::mutex lock_;
  int from_ = 0;
  int to_ = 0;
  int next_ = 0;
  quint64 firstTime_ = 0;  // running time at which frame from_ sounds
  bool discont_ = false;
  bool fedAll_ = false;
  std::atomic<bool> readFailed_ = false;

  int pausedAt_ = 0;
  // The end of a play is when its last frame has sounded: an output drains
  // long after that, so the end of the stream comes too late.
  QTimer endWatch_;
  // A stream no play has used for a while is closed.
  QTimer idle_;
};
