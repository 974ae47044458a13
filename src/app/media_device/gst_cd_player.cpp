#include "app/media_device/gst_cd_player.h"

#include <gst/app/gstappsrc.h>

#include "app/media_device/gst_support.h"

namespace {

constexpr int kFramesPerBuffer = 4;  // about a twentieth of a second
constexpr qint64 kNsPerSecond = 1000000000;

GstClockTime frameTime(int frames) { return gst_util_uint64_scale(frames, kNsPerSecond, kFramesPerSecond); }

}  // namespace

GstCdPlayer::GstCdPlayer(std::shared_ptr<const DiscSource> disc, AudioOutput output) : disc_(std::move(disc)), output_(std::move(output)) {
  gst::initialise();
}

GstCdPlayer::~GstCdPlayer() = default;

void GstCdPlayer::start(int from, int to) {
  pipeline_.reset();
  from_ = from;
  to_ = to;
  next_ = from;
  readFailed_ = false;

  GstElement* pipeline = gst_pipeline_new(nullptr);
  GstElement* source = gst_element_factory_make("appsrc", nullptr);
  GstElement* convert = gst_element_factory_make("audioconvert", nullptr);
  GstElement* sink = gst::makeAudioSink(output_);
  GstCaps* caps = gst_caps_from_string("audio/x-raw,format=S16LE,rate=44100,channels=2,layout=interleaved");
  g_object_set(source, "caps", caps, "format", GST_FORMAT_TIME, nullptr);
  gst_caps_unref(caps);
  GstAppSrcCallbacks callbacks{};
  callbacks.need_data = &GstCdPlayer::needData;
  gst_app_src_set_callbacks(GST_APP_SRC(source), &callbacks, this, nullptr);
  gst_bin_add_many(GST_BIN(pipeline), source, convert, sink, nullptr);
  gst_element_link_many(source, convert, sink, nullptr);

  pipeline_ = std::make_unique<gst::Pipeline>(pipeline);
  pipeline_->onEnd([this] { finished(!readFailed_); });
  // A failing output ends the play where it stands.
  pipeline_->onError([this](const QString&) { finished(false); });
  pipeline_->setState(GST_STATE_PLAYING);
}

void GstCdPlayer::needData(GstAppSrc* source, unsigned int, void* self) {
  static_cast<GstCdPlayer*>(self)->feed(source);
}

void GstCdPlayer::feed(GstAppSrc* source) {
  const int frames = std::min(kFramesPerBuffer, to_ - next_);
  if (frames <= 0) {
    gst_app_src_end_of_stream(source);
    return;
  }
  GstBuffer* buffer = gst_buffer_new_allocate(nullptr, static_cast<gsize>(frames) * kBytesPerFrame, nullptr);
  GstMapInfo map;
  gst_buffer_map(buffer, &map, GST_MAP_WRITE);
  const bool read = disc_->readAudio(next_, frames, map.data);
  gst_buffer_unmap(buffer, &map);
  if (!read) {
    // What could be read has been played; the rest of the disc is missing.
    gst_buffer_unref(buffer);
    readFailed_ = true;
    gst_app_src_end_of_stream(source);
    return;
  }
  GST_BUFFER_PTS(buffer) = frameTime(next_ - from_);
  GST_BUFFER_DURATION(buffer) = frameTime(frames);
  next_ += frames;
  gst_app_src_push_buffer(source, buffer);
}

void GstCdPlayer::pause() {
  if (pipeline_) pipeline_->setState(GST_STATE_PAUSED);
}

void GstCdPlayer::resume() {
  if (pipeline_) pipeline_->setState(GST_STATE_PLAYING);
}

void GstCdPlayer::stop() { pipeline_.reset(); }

int GstCdPlayer::position() const {
  const qint64 at = pipeline_ ? pipeline_->positionNs() : -1;
  if (at < 0) return from_;
  return std::min(to_, from_ + static_cast<int>(gst_util_uint64_scale(at, kFramesPerSecond, kNsPerSecond)));
}
