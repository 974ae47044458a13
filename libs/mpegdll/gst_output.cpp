#include <gst/app/gstappsrc.h>
#include <gst/gst.h>

#include <algorithm>
#include <cstdio>
#include <cstring>

#include "audio_output.h"
#include "failure.h"
#include "mpegdll.h"

namespace {

// How far decoding may run ahead of the sink: short, so pause and seek answer
// at once, long enough that a busy machine does not starve the sink.
constexpr int kQueueMs = 250;

bool isFakeSink(GstElement* element) {
  GstElementFactory* factory = gst_element_get_factory(element);
  return factory && std::strstr(GST_OBJECT_NAME(factory), "fake") != nullptr;
}

// The automatic sink settles on a device when made ready; it is no device at
// all when it fails to, or when it falls back to a fake sink of its own.
bool audioDeviceAvailable() {
  GstElement* sink = gst_element_factory_make("autoaudiosink", nullptr);
  if (!sink) return false;
  gst_object_ref_sink(sink);
  bool available = gst_element_set_state(sink, GST_STATE_READY) != GST_STATE_CHANGE_FAILURE;
  if (available) {
    GstIterator* children = gst_bin_iterate_elements(GST_BIN(sink));
    GValue child = G_VALUE_INIT;
    while (available && gst_iterator_next(children, &child) == GST_ITERATOR_OK) {
      available = !isFakeSink(GST_ELEMENT(g_value_get_object(&child)));
      g_value_reset(&child);
    }
    g_value_unset(&child);
    gst_iterator_free(children);
  }
  gst_element_set_state(sink, GST_STATE_NULL);
  gst_object_unref(sink);
  return available;
}

// The sound server's output, chosen inside the automatic sink, carries the
// name of the program that loaded the library and its icon (named, as
// desktops name icons, after the program), so the server's mixer shows whose
// sound it is; what it plays is music.
void nameStream(GstBin*, GstElement* output, gpointer) {
  if (!g_object_class_find_property(G_OBJECT_GET_CLASS(output), "stream-properties")) return;
  GstStructure* properties =
      gst_structure_new("properties", "media.role", G_TYPE_STRING, "music", nullptr);
  if (const gchar* program = g_get_application_name())
    gst_structure_set(properties, "application.name", G_TYPE_STRING, program, nullptr);
  if (const gchar* icon = g_get_prgname())
    gst_structure_set(properties, "application.icon_name", G_TYPE_STRING, icon, nullptr);
  g_object_set(output, "stream-properties", properties, nullptr);
  gst_structure_free(properties);
}

// Without an audio device the output stays silent but keeps real time, so
// positions and the end behave as they would with sound.
GstElement* makeSink() {
  static const bool haveDevice = [] {
    const bool available = audioDeviceAvailable();
    if (!available) std::fputs("mpegdll: no audio device, playing silently\n", stderr);
    return available;
  }();
  if (haveDevice) {
    GstElement* sink = gst_element_factory_make("autoaudiosink", nullptr);
    if (sink) g_signal_connect(sink, "element-added", G_CALLBACK(&nameStream), nullptr);
    return sink;
  }
  GstElement* sink = gst_element_factory_make("fakeaudiosink", nullptr);
  if (sink) g_object_set(sink, "sync", TRUE, nullptr);
  return sink;
}

class GstOutput : public AudioOutput {
 public:
  explicit GstOutput(const PcmFormat& format) : format_(format) {
    pipeline_ = gst_pipeline_new(nullptr);
    gst_object_ref_sink(pipeline_);
    try {
      build();
      start();
    } catch (const Failure&) {
      release();
      throw;
    }
  }
  ~GstOutput() override { release(); }

  // A sink that failed takes nothing more: the queue would stay full for ever.
  bool hasRoom() override {
    throwOnError();
    const guint64 queued = gst_app_src_get_current_level_bytes(source_);
    return queued < static_cast<guint64>(format_.framesFromMs(kQueueMs) * format_.bytesPerFrame());
  }

  void write(std::span<const int16_t> samples) override {
    const gsize bytes = samples.size_bytes();
    GstBuffer* buffer = gst_buffer_new_allocate(nullptr, bytes, nullptr);
    gst_buffer_fill(buffer, 0, samples.data(), bytes);
    const int64_t frames = static_cast<int64_t>(samples.size()) / format_.channels;
    GST_BUFFER_PTS(buffer) = timeOf(pushed_);
    GST_BUFFER_DURATION(buffer) = timeOf(pushed_ + frames) - timeOf(pushed_);
    pushed_ += frames;
    if (gst_app_src_push_buffer(source_, buffer) != GST_FLOW_OK)
      throw Failure(MPEGDLL_OUTPUT_ERROR);
  }

  void finish() override { gst_app_src_end_of_stream(source_); }

  bool drained() override {
    GstBus* bus = gst_element_get_bus(pipeline_);
    GstMessage* message =
        gst_bus_pop_filtered(bus, static_cast<GstMessageType>(GST_MESSAGE_EOS | GST_MESSAGE_ERROR));
    gst_object_unref(bus);
    if (!message) return false;
    const bool failed = GST_MESSAGE_TYPE(message) == GST_MESSAGE_ERROR;
    gst_message_unref(message);
    if (failed) throw Failure(MPEGDLL_OUTPUT_ERROR);
    return true;
  }

  void setPaused(bool paused) override {
    paused_ = paused;
    gst_element_set_state(pipeline_, paused ? GST_STATE_PAUSED : GST_STATE_PLAYING);
  }

  // Restarting the pipeline is the simplest flush that also resets its clock.
  void flush() override {
    gst_element_set_state(pipeline_, GST_STATE_NULL);
    GstBus* bus = gst_element_get_bus(pipeline_);
    gst_bus_set_flushing(bus, TRUE);
    gst_bus_set_flushing(bus, FALSE);
    gst_object_unref(bus);
    pushed_ = 0;
    start();
  }

  void setVolume(double volume) override {
    volume_ = volume;
    if (loudness_) g_object_set(loudness_, "volume", volume, nullptr);
  }

  int64_t playedFrames() override {
    gint64 position = 0;
    if (!gst_element_query_position(pipeline_, GST_FORMAT_TIME, &position) || position < 0)
      return 0;
    const int64_t frames = gst_util_uint64_scale(position, format_.rate, GST_SECOND);
    return std::min(frames, pushed_);
  }

 private:
  GstClockTime timeOf(int64_t frames) const {
    return gst_util_uint64_scale(frames, GST_SECOND, format_.rate);
  }

  void throwOnError() {
    GstBus* bus = gst_element_get_bus(pipeline_);
    GstMessage* message = gst_bus_pop_filtered(bus, GST_MESSAGE_ERROR);
    gst_object_unref(bus);
    if (!message) return;
    gst_message_unref(message);
    throw Failure(MPEGDLL_OUTPUT_ERROR);
  }

  void release() {
    gst_element_set_state(pipeline_, GST_STATE_NULL);
    gst_object_replace(reinterpret_cast<GstObject**>(&loudness_), nullptr);
    gst_object_unref(pipeline_);
  }

  // The automatic sink chooses its output when made ready, again after a
  // flush; each one it chooses plays at the volume asked for, where it keeps
  // one (the sound server's stream does).
  static void keepVolume(GstBin*, GstElement* output, gpointer self) {
    if (!g_object_class_find_property(G_OBJECT_GET_CLASS(output), "volume")) return;
    auto& kept = *static_cast<GstOutput*>(self);
    gst_object_replace(reinterpret_cast<GstObject**>(&kept.loudness_), GST_OBJECT(output));
    g_object_set(output, "volume", kept.volume_, nullptr);
  }

  // Elements belong to the pipeline as soon as they are made.
  GstElement* add(GstElement* element) {
    if (!element) throw Failure(MPEGDLL_OUTPUT_ERROR);
    gst_bin_add(GST_BIN(pipeline_), element);
    return element;
  }

  void build() {
    GstElement* source = add(gst_element_factory_make("appsrc", nullptr));
    GstElement* convert = add(gst_element_factory_make("audioconvert", nullptr));
    GstElement* resample = add(gst_element_factory_make("audioresample", nullptr));
    GstElement* sink = add(makeSink());
    if (GST_IS_BIN(sink)) g_signal_connect(sink, "element-added", G_CALLBACK(&keepVolume), this);
    if (!gst_element_link_many(source, convert, resample, sink, nullptr))
      throw Failure(MPEGDLL_OUTPUT_ERROR);
    source_ = GST_APP_SRC(source);
    GstCaps* caps = gst_caps_new_simple("audio/x-raw", "format", G_TYPE_STRING, "S16LE", "layout",
                                        G_TYPE_STRING, "interleaved", "rate", G_TYPE_INT,
                                        static_cast<int>(format_.rate), "channels", G_TYPE_INT,
                                        format_.channels, nullptr);
    g_object_set(source, "caps", caps, "format", GST_FORMAT_TIME, nullptr);
    gst_caps_unref(caps);
  }

  void start() {
    if (gst_element_set_state(pipeline_, paused_ ? GST_STATE_PAUSED : GST_STATE_PLAYING) ==
        GST_STATE_CHANGE_FAILURE)
      throw Failure(MPEGDLL_OUTPUT_ERROR);
  }

  PcmFormat format_;
  GstElement* pipeline_ = nullptr;
  GstAppSrc* source_ = nullptr;
  int64_t pushed_ = 0;
  bool paused_ = false;
  // The element that plays the sound, where it has a volume of its own.
  GstElement* loudness_ = nullptr;
  double volume_ = 1.0;
};

}  // namespace

bool defaultOutputReady() { return gst_init_check(nullptr, nullptr, nullptr); }

std::unique_ptr<AudioOutput> makeDefaultOutput(const PcmFormat& format) {
  if (!defaultOutputReady()) throw Failure(MPEGDLL_OUTPUT_ERROR);
  return std::make_unique<GstOutput>(format);
}
