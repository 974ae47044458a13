// The default output failing mid-file, as a sound device that goes away: an
// audio sink that takes a few buffers and then fails stands in for the
// machine's own, ranked above every real one so the automatic choice takes it.
// A process of its own, so no earlier test has settled on another sink.
#include <gst/base/gstbasesink.h>
#include <gst/gst.h>

#include <gtest/gtest.h>
#include <QFile>
#include <QTemporaryDir>
#include <atomic>
#include <chrono>
#include <thread>

#include "mpegdll.h"
#include "tone_media.h"

namespace {

constexpr int kBuffersBeforeFailure = 2;

struct FailingSink {
  GstBaseSink parent;
  int rendered;
};
struct FailingSinkClass {
  GstBaseSinkClass parent_class;
};

G_DEFINE_TYPE(FailingSink, failing_sink, GST_TYPE_BASE_SINK)

GstFlowReturn render(GstBaseSink* sink, GstBuffer*) {
  if (++reinterpret_cast<FailingSink*>(sink)->rendered <= kBuffersBeforeFailure) return GST_FLOW_OK;
  GST_ELEMENT_ERROR(sink, RESOURCE, WRITE, ("The audio device went away"), (nullptr));
  return GST_FLOW_ERROR;
}

void failing_sink_class_init(FailingSinkClass* type) {
  static GstStaticPadTemplate pads =
      GST_STATIC_PAD_TEMPLATE("sink", GST_PAD_SINK, GST_PAD_ALWAYS, GST_STATIC_CAPS("audio/x-raw"));
  GstElementClass* element = GST_ELEMENT_CLASS(type);
  gst_element_class_set_static_metadata(element, "Failing audio sink", "Sink/Audio",
                                        "Plays a little, then fails", "Corvela tests");
  gst_element_class_add_static_pad_template(element, &pads);
  GST_BASE_SINK_CLASS(type)->render = render;
}

void failing_sink_init(FailingSink* sink) {
  sink->rendered = 0;
  gst_base_sink_set_sync(GST_BASE_SINK(sink), TRUE);
}

bool isSet(const unsigned char& ended) {
  return std::atomic_ref<const unsigned char>(ended).load(std::memory_order_acquire) != 0;
}

TEST(MpegLibraryOutput, ADeviceFailingMidFileEndsPlaybackWithAnOutputError) {
  gst_init(nullptr, nullptr);
  ASSERT_TRUE(gst_element_register(nullptr, "corvelafailingsink", GST_RANK_PRIMARY + 100,
                                   failing_sink_get_type()));
  ASSERT_TRUE(init());
  QTemporaryDir dir;
  const QString file = dir.filePath("tone.mp3");
  writeTone(file, {.milliseconds = 5000});
  Open(QFile::encodeName(file).constData(), MPEGDLL_STREAM_FILE, nullptr, nullptr, nullptr, nullptr,
       nullptr, nullptr, nullptr);
  SetOutputDevice(MPEGDLL_DEVICE_DEFAULT, "");
  unsigned char ended = 0;
  ASSERT_EQ(Play(0, 0, &ended), 0);

  const auto started = std::chrono::steady_clock::now();
  while (!isSet(ended) && std::chrono::steady_clock::now() - started < std::chrono::seconds(1))
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  ASSERT_TRUE(isSet(ended));
  EXPECT_EQ(GetPlayerMode(), MPEGDLL_MODE_STOPPED);
  GetCurrentPos();
  EXPECT_EQ(LastError(), MPEGDLL_OUTPUT_ERROR);
  GetCurrentPos();
  EXPECT_EQ(LastError(), MPEGDLL_OK);
  deinit();
}

}  // namespace
