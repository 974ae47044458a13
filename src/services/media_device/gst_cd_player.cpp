#include "services/media_device/gst_cd_player.h"

#include <gst/app/gstappsrc.h>

#include <algorithm>

#include "services/media_device/gst_support.h"

namespace {

constexpr int kFramesPerBuffer = 4;  // about a twentieth of a second
constexpr int kEndWatchMs = 10;
constexpr int kKeepStreamMs = 3000;
constexpr quint64 kLeadNs = 30000000;  // the time a buffer needs to reach the output
constexpr qint64 kNsPerSecond = 1000000000;

GstClockTime frameTime(int frames) {
  return gst_util_uint64_scale(frames, kNsPerSecond, kFramesPerSecond);
}

}  // namespace

GstCdPlayer::GstCdPlayer(std::shared_ptr<const DiscSource> disc, AudioOutput output)
    : disc_(std::move(disc)), output_(std::move(output)) {
  gst::initialise();
  endWatch_.setInterval(kEndWatchMs);
  QObject::connect(&endWatch_, &QTimer::timeout, [this] {
    std::unique_lock lock(lock_);
    const bool done = fedAll_ && !readFailed_;
    lock.unlock();
    if (done && position() >= to_) end(true);
  });
  idle_.setSingleShot(true);
  idle_.setInterval(kKeepStreamMs);
  QObject::connect(&idle_, &QTimer::timeout, [this] { stop(); });
}

GstCdPlayer::~GstCdPlayer() = default;

void GstCdPlayer::makePipeline() {
  GstElement* pipeline = gst_pipeline_new(nullptr);
  GstElement* source = gst_element_factory_make("appsrc", nullptr);
  GstElement* convert = gst_element_factory_make("audioconvert", nullptr);
  GstElement* sink = gst::makeAudioSink(output_);
  GstCaps* caps =
      gst_caps_from_string("audio/x-raw,format=S16LE,rate=44100,channels=2,layout=interleaved");
  g_object_set(source, "caps", caps, "format", GST_FORMAT_TIME, nullptr);
  gst_caps_unref(caps);
  GstAppSrcCallbacks callbacks{};
  callbacks.need_data = &GstCdPlayer::needData;
  gst_app_src_set_callbacks(GST_APP_SRC(source), &callbacks, this, nullptr);
  gst_bin_add_many(GST_BIN(pipeline), source, convert, sink, nullptr);
  gst_element_link_many(source, convert, sink, nullptr);
  source_ = GST_APP_SRC(source);

  pipeline_ = std::make_unique<gst::Pipeline>(pipeline);
  // The stream ends early only when the disc could not be read.
  pipeline_->onEnd([this] { end(false); });
  // A failing output ends the play where it stands.
  pipeline_->onError([this](const QString&) { end(false); });
}

void GstCdPlayer::start(int from, int to) {
  idle_.stop();
  std::unique_lock lock(lock_);
  // A play that has sounded to its end leaves nothing in the stream to clear.
  const bool goesOn = pipeline_ && !playing_ && !paused_ && fedAll_ && !readFailed_;
  const quint64 lastEnd = firstTime_ + frameTime(to_ - from_);
  lock.unlock();
  if (!goesOn) {
    pipeline_.reset();
    makePipeline();
  }
  lock.lock();
  from_ = from;
  to_ = to;
  next_ = from;
  fedAll_ = false;
  readFailed_ = false;
  firstTime_ = goesOn ? std::max(lastEnd, runningTime() + kLeadNs) : 0;
  discont_ = goesOn;
  lock.unlock();
  playing_ = true;
  paused_ = false;
  if (goesOn)
    feed();  // the output waits for data: this wakes it
  else
    pipeline_->setState(GST_STATE_PLAYING);
  endWatch_.start();
}

void GstCdPlayer::needData(GstAppSrc*, unsigned int, void* self) {
  static_cast<GstCdPlayer*>(self)->feed();
}

void GstCdPlayer::feed() {
  std::lock_guard lock(lock_);
  const int frames = std::min(kFramesPerBuffer, to_ - next_);
  if (frames <= 0) {
    // Nothing more for now; a play that follows on feeds the stream again.
    fedAll_ = true;
    return;
  }
  GstBuffer* buffer =
      gst_buffer_new_allocate(nullptr, static_cast<gsize>(frames) * kBytesPerFrame, nullptr);
  GstMapInfo map;
  gst_buffer_map(buffer, &map, GST_MAP_WRITE);
  const bool read = disc_->readAudio(next_, frames, map.data);
  gst_buffer_unmap(buffer, &map);
  if (!read) {
    // What could be read has been played; the rest of the disc is missing.
    gst_buffer_unref(buffer);
    readFailed_ = true;
    fedAll_ = true;
    gst_app_src_end_of_stream(source_);
    return;
  }
  GST_BUFFER_PTS(buffer) = firstTime_ + frameTime(next_ - from_);
  GST_BUFFER_DURATION(buffer) = frameTime(frames);
  // After a pause in the stream the output takes the new times at once.
  if (std::exchange(discont_, false)) GST_BUFFER_FLAG_SET(buffer, GST_BUFFER_FLAG_DISCONT);
  next_ += frames;
  gst_app_src_push_buffer(source_, buffer);
}

quint64 GstCdPlayer::runningTime() const {
  if (!pipeline_) return 0;
  GstClock* clock = gst_element_get_clock(pipeline_->element());
  if (!clock) return 0;
  const GstClockTime now = gst_clock_get_time(clock);
  gst_object_unref(clock);
  const GstClockTime base = gst_element_get_base_time(pipeline_->element());
  return now > base ? now - base : 0;
}

void GstCdPlayer::end(bool complete) {
  endWatch_.stop();
  playing_ = false;
  if (complete) idle_.start();
  finished(complete);
}

void GstCdPlayer::pause() {
  if (!pipeline_ || paused_) return;
  pausedAt_ = position();
  paused_ = true;
  pipeline_->setState(GST_STATE_PAUSED);
}

void GstCdPlayer::resume() {
  if (!pipeline_ || !paused_) return;
  paused_ = false;
  pipeline_->setState(GST_STATE_PLAYING);
}

void GstCdPlayer::stop() {
  endWatch_.stop();
  idle_.stop();
  playing_ = false;
  paused_ = false;
  pipeline_.reset();
  source_ = nullptr;
}

int GstCdPlayer::position() const {
  if (paused_) return pausedAt_;
  const quint64 now = runningTime();
  std::lock_guard lock(lock_);
  if (!pipeline_ || now <= firstTime_) return from_;
  return std::min(to_, from_ + static_cast<int>(gst_util_uint64_scale(
                                   now - firstTime_, kFramesPerSecond, kNsPerSecond)));
}
