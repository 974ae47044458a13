#include "services/media_device/gst_support.h"

#include <fcntl.h>
#include <gst/app/gstappsink.h>
#include <unistd.h>
#include <QPointer>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <mutex>
#include <vector>

#include "services/media_device/media_device_factory.h"
#include "services/media_device/output_volume.h"

namespace gst {

namespace {

// Whether the system's default output leads to a real audio device; asked
// once, since asking means trying to connect to a sound server.
bool systemHasAudioDevice() {
  static const bool has = [] {
    GstElement* probe = gst_element_factory_make("autoaudiosink", nullptr);
    if (!probe) return false;
    bool found = gst_element_set_state(probe, GST_STATE_READY) != GST_STATE_CHANGE_FAILURE;
    if (found) {
      // With nothing usable it falls back to a plain fake sink inside.
      GstIterator* children = gst_bin_iterate_elements(GST_BIN(probe));
      GValue child = G_VALUE_INIT;
      if (gst_iterator_next(children, &child) == GST_ITERATOR_OK) {
        GstElementFactory* factory =
            gst_element_get_factory(GST_ELEMENT(g_value_get_object(&child)));
        found = factory && g_strcmp0(GST_OBJECT_NAME(factory), "fakesink") != 0;
        g_value_reset(&child);
      }
      g_value_unset(&child);
      gst_iterator_free(children);
    }
    gst_element_set_state(probe, GST_STATE_NULL);
    gst_object_unref(probe);
    if (!found)
      std::fprintf(stderr, "corvela: no audio device found; playing silently in real time\n");
    return found;
  }();
  return has;
}

GstFlowReturn appendSample(GstAppSink* sink, gpointer file) {
  GstSample* sample = gst_app_sink_pull_sample(sink);
  if (!sample) return GST_FLOW_EOS;
  GstMapInfo map;
  GstBuffer* buffer = gst_sample_get_buffer(sample);
  if (buffer && gst_buffer_map(buffer, &map, GST_MAP_READ)) {
    const ssize_t written = write(GPOINTER_TO_INT(file), map.data, map.size);
    static_cast<void>(written);  // a capture cut short shows in what the test hears
    gst_buffer_unmap(buffer, &map);
  }
  gst_sample_unref(sample);
  return GST_FLOW_OK;
}

// Written as it sounds, and kept whole: a file sink would empty its file at
// every flush, when a play starts again in the same stream.
GstElement* makeCaptureSink(const QString& file) {
  GstElement* bin = gst_parse_bin_from_description(
      "audioconvert ! audioresample ! audio/x-raw,format=S16LE,rate=44100,channels=2 ! "
      "appsink name=capture sync=true",
      TRUE, nullptr);
  GstElement* sink = gst_bin_get_by_name(GST_BIN(bin), "capture");
  const int descriptor =
      open(file.toLocal8Bit().constData(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644);
  GstAppSinkCallbacks callbacks{};
  callbacks.new_sample = &appendSample;
  gst_app_sink_set_callbacks(GST_APP_SINK(sink), &callbacks, GINT_TO_POINTER(descriptor),
                             [](gpointer file) { close(GPOINTER_TO_INT(file)); });
  gst_object_unref(sink);
  return bin;
}

// Whether the pipeline the element is in plays a video. A file's pipeline
// knows once its streams are found, which is before sound reaches the output.
bool inVideoPipeline(GstElement* element) {
  GstObject* top = GST_OBJECT(gst_object_ref(element));
  while (GstObject* parent = gst_object_get_parent(top)) {
    gst_object_unref(top);
    top = parent;
  }
  gint videos = 0;
  if (g_object_class_find_property(G_OBJECT_GET_CLASS(top), "n-video"))
    g_object_get(top, "n-video", &videos, nullptr);
  gst_object_unref(top);
  return videos > 0;
}

// The outputs to the sound server that exist now, the volume they play at,
// and who else follows it.
struct Outputs {
  std::mutex lock;
  std::vector<GstElement*> live;
  double volume = 1.0;
  std::vector<std::pair<QPointer<QObject>, std::function<void(double)>>> followers;
};

Outputs& outputs() {
  static Outputs all;
  return all;
}

void forget(gpointer, GObject* gone) {
  Outputs& all = outputs();
  const std::lock_guard held(all.lock);
  std::erase(all.live, reinterpret_cast<GstElement*>(gone));
}

void keepVolume(GstElement* output) {
  Outputs& all = outputs();
  const std::lock_guard held(all.lock);
  g_object_set(output, "volume", all.volume, nullptr);
  all.live.push_back(output);
  g_object_weak_ref(G_OBJECT(output), &forget, nullptr);
}

// The sound server's stream is made when the first sound format reaches the
// output, and takes its properties then: the program's name and icon, so the
// server's mixer shows whose sound it is, and what it plays, for the
// server's policies by role.
GstPadProbeReturn nameStreamBeforeItStarts(GstPad* pad, GstPadProbeInfo* info, gpointer) {
  if (GST_EVENT_TYPE(GST_PAD_PROBE_INFO_EVENT(info)) != GST_EVENT_CAPS) return GST_PAD_PROBE_OK;
  GstElement* output = GST_ELEMENT(gst_pad_get_parent(pad));
  GstStructure* properties =
      gst_structure_new("properties", "application.name", G_TYPE_STRING, "Corvela Pro",
                        "application.icon_name", G_TYPE_STRING, "corvela", "media.role",
                        G_TYPE_STRING, inVideoPipeline(output) ? "video" : "music", nullptr);
  g_object_set(output, "stream-properties", properties, nullptr);
  gst_structure_free(properties);
  gst_object_unref(output);
  return GST_PAD_PROBE_REMOVE;
}

// The automatic sink chooses the sound server's output when made ready,
// which for a file may be before its streams are all found.
void nameStream(GstBin*, GstElement* output, gpointer) {
  if (!g_object_class_find_property(G_OBJECT_GET_CLASS(output), "stream-properties")) return;
  if (g_object_class_find_property(G_OBJECT_GET_CLASS(output), "volume")) keepVolume(output);
  GstPad* pad = gst_element_get_static_pad(output, "sink");
  if (!pad) return;
  gst_pad_add_probe(pad, GST_PAD_PROBE_TYPE_EVENT_DOWNSTREAM, &nameStreamBeforeItStarts, nullptr,
                    nullptr);
  gst_object_unref(pad);
}

GstElement* makeSystemSink() {
  GstElement* sink = gst_element_factory_make("autoaudiosink", nullptr);
  if (sink) g_signal_connect(sink, "element-added", G_CALLBACK(&nameStream), nullptr);
  return sink;
}

}  // namespace

void initialise() {
  static std::once_flag once;
  std::call_once(once, [] {
    // The names the sound server and the MPEG library give the program's
    // streams; the icon is named after the program.
    if (!g_get_prgname()) g_set_prgname("corvela");
    g_set_application_name("Corvela Pro");
    gst_init(nullptr, nullptr);
  });
}

GstElement* makeAudioSink(const AudioOutput& output) {
  initialise();
  if (!output.captureFile.isEmpty()) return makeCaptureSink(output.captureFile);
  if (systemHasAudioDevice()) return makeSystemSink();
  GstElement* silent = gst_element_factory_make("fakeaudiosink", nullptr);
  g_object_set(silent, "sync", TRUE, nullptr);
  return silent;
}

Pipeline::Pipeline(GstElement* pipeline) : pipeline_(pipeline) {
  GstBus* bus = gst_element_get_bus(pipeline_);
  gst_bus_set_sync_handler(bus, &Pipeline::busMessage, this, nullptr);
  gst_object_unref(bus);
}

Pipeline::~Pipeline() {
  gst_element_set_state(pipeline_, GST_STATE_NULL);
  GstBus* bus = gst_element_get_bus(pipeline_);
  gst_bus_set_sync_handler(bus, nullptr, nullptr, nullptr);
  gst_object_unref(bus);
  gst_object_unref(pipeline_);
}

GstBusSyncReply Pipeline::busMessage(GstBus*, GstMessage* message, gpointer data) {
  auto* self = static_cast<Pipeline*>(data);
  if (GST_MESSAGE_TYPE(message) == GST_MESSAGE_EOS) {
    self->post([self] {
      if (self->end_) self->end_();
    });
  } else if (GST_MESSAGE_TYPE(message) == GST_MESSAGE_ERROR) {
    GError* error = nullptr;
    gst_message_parse_error(message, &error, nullptr);
    const QString text = QString::fromUtf8(error ? error->message : "unknown error");
    g_clear_error(&error);
    {
      std::lock_guard lock(self->errorLock_);
      if (self->lastError_.isEmpty()) self->lastError_ = text;
    }
    self->post([self, text] {
      if (self->error_) self->error_(text);
    });
  } else if (GST_MESSAGE_TYPE(message) == GST_MESSAGE_TAG) {
    self->noteBitrate(message);
  }
  gst_message_unref(message);
  return GST_BUS_DROP;
}

void Pipeline::noteBitrate(GstMessage* message) {
  GstTagList* tags = nullptr;
  gst_message_parse_tag(message, &tags);
  guint rate = 0;
  if (gst_tag_list_get_uint(tags, GST_TAG_BITRATE, &rate) ||
      gst_tag_list_get_uint(tags, GST_TAG_NOMINAL_BITRATE, &rate))
    bitrate_ = rate;
  gst_tag_list_unref(tags);
}

void Pipeline::post(std::function<void()> call) {
  QMetaObject::invokeMethod(&context_, std::move(call), Qt::QueuedConnection);
}

QString Pipeline::changeState(GstState state, int waitMilliseconds) {
  GstStateChangeReturn result = gst_element_set_state(pipeline_, state);
  if (result == GST_STATE_CHANGE_ASYNC)
    result = gst_element_get_state(pipeline_, nullptr, nullptr,
                                   GstClockTime{1000000} * waitMilliseconds);
  if (result == GST_STATE_CHANGE_SUCCESS || result == GST_STATE_CHANGE_NO_PREROLL) return {};
  std::lock_guard lock(errorLock_);
  if (!lastError_.isEmpty()) return lastError_;
  return result == GST_STATE_CHANGE_ASYNC ? QStringLiteral("it took too long to start")
                                          : QStringLiteral("it cannot be played");
}

qint64 Pipeline::positionNs() const {
  gint64 at = -1;
  return gst_element_query_position(pipeline_, GST_FORMAT_TIME, &at) ? at : -1;
}

qint64 Pipeline::durationNs() const {
  gint64 length = -1;
  return gst_element_query_duration(pipeline_, GST_FORMAT_TIME, &length) ? length : -1;
}

}  // namespace gst

double outputVolume() {
  gst::Outputs& all = gst::outputs();
  const std::lock_guard held(all.lock);
  return all.volume;
}

// Whoever sets it over the session bus may send what is not a number, which
// the sound server would take for any loudness at all.
void setOutputVolume(double volume) {
  if (std::isnan(volume)) return;
  gst::Outputs& all = gst::outputs();
  std::unique_lock held(all.lock);
  all.volume = std::clamp(volume, 0.0, 1.0);
  for (GstElement* output : all.live) g_object_set(output, "volume", all.volume, nullptr);
  std::erase_if(all.followers, [](const auto& follower) { return follower.first.isNull(); });
  const auto followers = all.followers;
  const double now = all.volume;
  held.unlock();
  for (const auto& [context, follow] : followers)
    if (context) follow(now);
}

void followOutputVolume(QObject* context, std::function<void(double)> follow) {
  gst::Outputs& all = gst::outputs();
  const std::lock_guard held(all.lock);
  all.followers.emplace_back(context, std::move(follow));
}
