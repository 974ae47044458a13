#pragma once

#include <atomic>
#include <memory>

#include "app/media_device/cd_drive.h"
#include "app/media_device/disc_source.h"
#include "app/media_device/media_device_factory.h"

namespace gst {
class Pipeline;
}
typedef struct _GstAppSrc GstAppSrc;

// Plays a disc's audio frames to an audio output.
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
  void feed(GstAppSrc* source);

  std::shared_ptr<const DiscSource> disc_;
  AudioOutput output_;
  std::unique_ptr<gst::Pipeline> pipeline_;
  int from_ = 0;
  int to_ = 0;
  // Read by the streaming thread of the current pipeline only.
  int next_ = 0;
  std::atomic<bool> readFailed_ = false;
};
