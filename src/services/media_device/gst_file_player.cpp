#include "services/media_device/gst_file_player.h"

#include <gst/app/gstappsink.h>
#include <gst/video/video.h>

#include <QFileInfo>
#include <QUrl>

#include "services/media_device/gst_support.h"
#include "services/media_device/video_surface.h"

namespace {

constexpr int kOpenWaitMs = 10000;
constexpr qint64 kNsPerMs = 1000000;

[[noreturn]] void cannotOpen(const QString& path, const QString& why) {
  throw MediaDeviceError(DeviceErrorCode::CannotOpen,
                         QString("Cannot play \"%1\": %2.").arg(path, why));
}

// A frame of the appsink as an image of its own (the buffer goes back to GStreamer).
QImage frameImage(GstSample* sample) {
  GstVideoInfo info;
  if (!gst_video_info_from_caps(&info, gst_sample_get_caps(sample))) return {};
  GstVideoFrame frame;
  if (!gst_video_frame_map(&frame, &info, gst_sample_get_buffer(sample), GST_MAP_READ)) return {};
  const QImage view(static_cast<const uchar*>(GST_VIDEO_FRAME_PLANE_DATA(&frame, 0)),
                    GST_VIDEO_INFO_WIDTH(&info), GST_VIDEO_INFO_HEIGHT(&info),
                    GST_VIDEO_FRAME_PLANE_STRIDE(&frame, 0), QImage::Format_RGB32);
  QImage copy = view.copy();
  gst_video_frame_unmap(&frame);
  return copy;
}

}  // namespace

GstFilePlayer::GstFilePlayer(AudioOutput output, QString soundFont)
    : output_(std::move(output)), soundFont_(std::move(soundFont)) {
  gst::initialise();
}

GstFilePlayer::~GstFilePlayer() { close(); }

void GstFilePlayer::open(const QString& path) {
  close();
  const QFileInfo file(path);
  if (!file.isFile() || !file.isReadable()) cannotOpen(path, "the file cannot be found or read");
  if (file.size() == 0) cannotOpen(path, "the file is empty");

  GstElement* playbin = gst_element_factory_make("playbin", nullptr);
  const QByteArray uri = QUrl::fromLocalFile(file.absoluteFilePath()).toEncoded();
  g_object_set(playbin, "uri", uri.constData(), "audio-sink", gst::makeAudioSink(output_),
               "video-sink", makeVideoSink(), nullptr);
  g_signal_connect(playbin, "element-setup", G_CALLBACK(&GstFilePlayer::elementSetup), this);
  soundFontMissing_ = false;
  pipeline_ = std::make_unique<gst::Pipeline>(playbin);

  const QString failure = pipeline_->changeState(GST_STATE_PAUSED, kOpenWaitMs);
  const QString why =
      soundFontMissing_ ? "the MIDI sound font " + soundFont_ + " is missing" : failure;
  if (!why.isEmpty()) {
    close();
    cannotOpen(path, why);
  }
  length_ = knownLength(file.size());
  pipeline_->onEnd([this] { finished({}); });
  pipeline_->onError([this](const QString& error) { finished(error); });
}

qint64 GstFilePlayer::knownLength(qint64 fileBytes) const {
  const qint64 duration = pipeline_->durationNs();
  if (duration > 0) return duration / kNsPerMs;
  // A stream without a length of its own (MPEG audio without a header that
  // says it) is as long as its bytes last at its bit rate.
  const unsigned int bitrate = pipeline_->bitrate();
  return bitrate > 0 ? fileBytes * 8000 / bitrate : 0;
}

void GstFilePlayer::elementSetup(GstElement*, GstElement* element, void* data) {
  auto* self = static_cast<GstFilePlayer*>(data);
  GstElementFactory* factory = gst_element_get_factory(element);
  if (!factory || g_strcmp0(GST_OBJECT_NAME(factory), "fluiddec") != 0) return;
  if (!QFileInfo::exists(self->soundFont_)) {
    self->soundFontMissing_ = true;
    return;
  }
  g_object_set(element, "soundfont", self->soundFont_.toLocal8Bit().constData(), nullptr);
}

GstElement* GstFilePlayer::makeVideoSink() {
  GstElement* sink = gst_element_factory_make("appsink", nullptr);
  GstCaps* caps = gst_caps_from_string("video/x-raw,format=BGRx");
  g_object_set(sink, "caps", caps, "sync", TRUE, "max-buffers", 2, "drop", TRUE, nullptr);
  gst_caps_unref(caps);
  GstAppSinkCallbacks callbacks{};
  callbacks.new_sample = &GstFilePlayer::newFrame;
  gst_app_sink_set_callbacks(GST_APP_SINK(sink), &callbacks, this, nullptr);
  return sink;
}

GstFlowReturn GstFilePlayer::newFrame(GstAppSink* sink, void* data) {
  auto* self = static_cast<GstFilePlayer*>(data);
  GstSample* sample = gst_app_sink_pull_sample(sink);
  if (!sample) return GST_FLOW_EOS;
  QImage frame = frameImage(sample);
  gst_sample_unref(sample);
  const int opened = self->opened_;
  if (!frame.isNull())
    QMetaObject::invokeMethod(
        &self->context_,
        [self, frame, opened] {
          // Frames of a file closed since are still on their way: not shown.
          if (opened == self->opened_) self->show(frame);
        },
        Qt::QueuedConnection);
  return GST_FLOW_OK;
}

void GstFilePlayer::show(const QImage& frame) {
  if (!surface_) {
    surface_ = new VideoSurface(display_);
    if (!display_) surface_->resize(frame.size());
    placeSurface();
  }
  surface_->present(frame);
}

void GstFilePlayer::placeSurface() {
  if (!surface_) return;
  if (display_) surface_->setGeometry(displayRect_.isNull() ? display_->rect() : displayRect_);
  surface_->show();
}

void GstFilePlayer::setDisplay(QWidget* window) {
  if (window == display_ && surface_) return;
  delete surface_;
  display_ = window;
  displayRect_ = {};
}

void GstFilePlayer::setDisplayRect(const QRect& rectangle) {
  displayRect_ = rectangle;
  placeSurface();
}

void GstFilePlayer::close() {
  pipeline_.reset();
  ++opened_;
  length_ = 0;
  delete surface_;
}

void GstFilePlayer::play(qint64 from, qint64 to) {
  const GstSeekType stopType = to < length_ ? GST_SEEK_TYPE_SET : GST_SEEK_TYPE_NONE;
  // The segment starts afresh: a play that reached its end can play again.
  pipeline_->changeState(GST_STATE_PAUSED, kOpenWaitMs);
  gst_element_seek(pipeline_->element(), 1.0, GST_FORMAT_TIME,
                   static_cast<GstSeekFlags>(GST_SEEK_FLAG_FLUSH | GST_SEEK_FLAG_ACCURATE),
                   GST_SEEK_TYPE_SET, from * kNsPerMs, stopType, to * kNsPerMs);
  pipeline_->setState(GST_STATE_PLAYING);
}

void GstFilePlayer::pause() { pipeline_->setState(GST_STATE_PAUSED); }

void GstFilePlayer::resume() { pipeline_->setState(GST_STATE_PLAYING); }

void GstFilePlayer::stop() { pipeline_->setState(GST_STATE_PAUSED); }

qint64 GstFilePlayer::position() const {
  const qint64 at = pipeline_ ? pipeline_->positionNs() : -1;
  return at < 0 ? 0 : std::min(length_, at / kNsPerMs);
}
