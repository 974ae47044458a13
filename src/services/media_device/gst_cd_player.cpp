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
  QObject::connect(&idle_, &QTimer::timeout, [this] { release(); });
}

// The streaming thread goes before the state it shares.
GstCdPlayer::~GstCdPlayer() { pipeline_.reset(); }

void GstCdPlayer::makePipeline() {
  GstElement* pipeline = gst_pipeline_new(nullptr);
  GstElement* source = gst_element_factory_make("appsrc", nullptr);
  GstElement* convert = gst_element_factory_make("audioconvert", nullptr);
  GstElement* sink = gst::makeAudioSink(output_);
  GstCaps* caps =
      gst_caps_from_string("audio/x-raw,format=S16LE,rate=44100,channels=2,layout=interleaved");
  // Seekable, so that a flushing seek can empty the stream for another play.
  g_object_set(source, "caps", caps, "format", GST_FORMAT_TIME, "stream-type",
               GST_APP_STREAM_TYPE_SEEKABLE, nullptr);
  gst_caps_unref(caps);
  GstAppSrcCallbacks callbacks{};
  callbacks.need_data = [](GstAppSrc*, guint, gpointer self) {
    static_cast<GstCdPlayer*>(self)->feed();
  };
  // The stream is only ever sought to its start, by a play beginning in it.
  callbacks.seek_data = [](GstAppSrc*, guint64, gpointer self) -> gboolean {
    static_cast<GstCdPlayer*>(self)->feedFromStart();
    return TRUE;
  };
  gst_app_src_set_callbacks(GST_APP_SRC(source), &callbacks, this, nullptr);
  gst_bin_add_many(GST_BIN(pipeline), source, convert, sink, nullptr);
  gst_element_link_many(source, convert, sink, nullptr);
  source_ = GST_APP_SRC(source);

  pipeline_ = std::make_unique<gst::Pipeline>(pipeline);
  // The stream ends early only when the disc could not be read.
  pipeline_->onEnd([this] { fail(); });
  // A failing output ends the play where it stands.
  pipeline_->onError([this](const QString&) { fail(); });
}

void GstCdPlayer::start(int from, int to) {
  idle_.stop();
  const bool goesOn = stream_ == Stream::Drained;
  const bool kept = streamUsable();
  std::unique_lock lock(lock_);
  const quint64 lastEnd = firstTime_ + frameTime(to_ - from_);
  lock.unlock();
  if (!kept) {
    release();
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
  stream_ = Stream::Sounding;
  if (goesOn)
    feed();  // the output waits for data: this wakes it
  else if (kept)
    restartStream();
  else
    pipeline_->setState(GST_STATE_PLAYING);
  endWatch_.start();
}

// What an earlier play left in the stream is thrown away and the stream
// starts again with this play; the output's stream on the sound server stays.
void GstCdPlayer::restartStream() {
  if (gst_element_seek_simple(pipeline_->element(), GST_FORMAT_TIME, GST_SEEK_FLAG_FLUSH, 0)) {
    pipeline_->setState(GST_STATE_PLAYING);
    return;
  }
  release();
  makePipeline();
  pipeline_->setState(GST_STATE_PLAYING);
}

void GstCdPlayer::feedFromStart() {
  std::lock_guard lock(lock_);
  next_ = from_;
  fedAll_ = false;
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

// A stream started again keeps the clock of the play before until it plays.
bool GstCdPlayer::settling() const {
  GstState state = GST_STATE_VOID_PENDING;
  return gst_element_get_state(pipeline_->element(), &state, nullptr, 0) ==
             GST_STATE_CHANGE_ASYNC ||
         state != GST_STATE_PLAYING;
}

void GstCdPlayer::end(bool complete) {
  endWatch_.stop();
  stream_ = complete ? Stream::Drained : Stream::Broken;
  if (complete) idle_.start();
  finished(complete);
}

void GstCdPlayer::fail() {
  if (stream_ == Stream::Sounding || stream_ == Stream::Paused) {
    end(false);
    return;
  }
  // No play to end: the next one opens a stream of its own.
  stream_ = Stream::Broken;
}

void GstCdPlayer::pause() {
  if (stream_ != Stream::Sounding) return;
  pausedAt_ = position();
  stream_ = Stream::Paused;
  pipeline_->setState(GST_STATE_PAUSED);
}

void GstCdPlayer::resume() {
  if (stream_ != Stream::Paused) return;
  stream_ = Stream::Sounding;
  pipeline_->setState(GST_STATE_PLAYING);
}

void GstCdPlayer::stop() {
  endWatch_.stop();
  if (!streamUsable()) {
    release();
    return;
  }
  // Silent at once; the stream is kept a moment for a play that follows.
  pipeline_->setState(GST_STATE_PAUSED);
  stream_ = Stream::Halted;
  idle_.start();
}

// A stream that could not be read to its end may still bring that end.
bool GstCdPlayer::streamUsable() const {
  return pipeline_ && stream_ != Stream::Broken && !readFailed_;
}

void GstCdPlayer::release() {
  idle_.stop();
  endWatch_.stop();
  pipeline_.reset();
  source_ = nullptr;
  stream_ = Stream::None;
}

int GstCdPlayer::position() const {
  if (stream_ == Stream::Paused) return pausedAt_;
  if (!pipeline_ || settling()) return from_;
  const quint64 now = runningTime();
  std::lock_guard lock(lock_);
  if (now <= firstTime_) return from_;
  return std::min(to_, from_ + static_cast<int>(gst_util_uint64_scale(
                                   now - firstTime_, kFramesPerSecond, kNsPerSecond)));
}
