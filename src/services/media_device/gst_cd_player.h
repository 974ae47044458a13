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

// Plays a disc's audio frames to an audio output. A play that follows one
// that sounded to its end (the next ticked track) goes on in the same output
// stream: opening a stream on a sound server takes a second or more, which
// would be heard as silence between the tracks.
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
  static void needData(GstAppSrc* source, unsigned int length, void* self);
  void feed();
  void makePipeline();
  quint64 runningTime() const;
  void end(bool complete);

  std::shared_ptr<const DiscSource> disc_;
  AudioOutput output_;
  std::unique_ptr<gst::Pipeline> pipeline_;
  GstAppSrc* source_ = nullptr;

  // Shared with the streaming thread, which feeds the output.
  mutable std::mutex lock_;
  int from_ = 0;
  int to_ = 0;
  int next_ = 0;
  quint64 firstTime_ = 0;  // running time at which frame from_ sounds
  bool discont_ = false;
  bool fedAll_ = false;
  std::atomic<bool> readFailed_ = false;

  bool playing_ = false;
  bool paused_ = false;
  int pausedAt_ = 0;
  // The end of a play is when its last frame has sounded: an output drains
  // long after that, so the end of the stream comes too late.
  QTimer endWatch_;
  // After a play's end the stream is kept a moment for a play that follows on.
  QTimer idle_;
};
