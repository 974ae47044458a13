// The default output stood in for by an audio sink of the test's own, ranked
// above every real one so the automatic choice takes it: it keeps a volume,
// as the sound server's stream does, and can fail mid-file, as a sound device
// that goes away. A process of its own, so no earlier test has settled on
// another sink.
#include <gst/base/gstbasesink.h>
#include <gst/gst.h>

#include <gtest/gtest.h>
#include <QFile>
#include <QTemporaryDir>
#include <atomic>
#include <chrono>
#include <cmath>
#include <functional>
#include <thread>

#include "mpegdll.h"
#include "tone_media.h"

namespace {

// How many buffers the sink takes before it fails; never when negative.
std::atomic<int> buffersBeforeFailure{-1};
// The volume of the sink made last: it starts at 1 as the real ones do.
std::atomic<double> latestVolume{0};

struct StandInSink {
  GstBaseSink parent;
  int rendered;
};
struct StandInSinkClass {
  GstBaseSinkClass parent_class;
};

G_DEFINE_TYPE(StandInSink, stand_in_sink, GST_TYPE_BASE_SINK)

enum { kVolumeProperty = 1 };

GstFlowReturn render(GstBaseSink* sink, GstBuffer*) {
  const int allowed = buffersBeforeFailure;
  if (allowed < 0 || ++reinterpret_cast<StandInSink*>(sink)->rendered <= allowed)
    return GST_FLOW_OK;
  GST_ELEMENT_ERROR(sink, RESOURCE, WRITE, ("The audio device went away"), (nullptr));
  return GST_FLOW_ERROR;
}

void setProperty(GObject*, guint, const GValue* value, GParamSpec*) {
  latestVolume = g_value_get_double(value);
}

void getProperty(GObject*, guint, GValue* value, GParamSpec*) {
  g_value_set_double(value, latestVolume);
}

void stand_in_sink_class_init(StandInSinkClass* type) {
  static GstStaticPadTemplate pads =
      GST_STATIC_PAD_TEMPLATE("sink", GST_PAD_SINK, GST_PAD_ALWAYS, GST_STATIC_CAPS("audio/x-raw"));
  GObjectClass* object = G_OBJECT_CLASS(type);
  object->set_property = setProperty;
  object->get_property = getProperty;
  g_object_class_install_property(
      object, kVolumeProperty,
      g_param_spec_double("volume", "Volume", "Linear volume", 0, 10, 1, G_PARAM_READWRITE));
  GstElementClass* element = GST_ELEMENT_CLASS(type);
  gst_element_class_set_static_metadata(element, "Stand-in audio sink", "Sink/Audio",
                                        "Keeps a volume; fails when told to", "Corvela tests");
  gst_element_class_add_static_pad_template(element, &pads);
  GST_BASE_SINK_CLASS(type)->render = render;
}

void stand_in_sink_init(StandInSink* sink) {
  sink->rendered = 0;
  latestVolume = 1;
  gst_base_sink_set_sync(GST_BASE_SINK(sink), TRUE);
}

bool within(int ms, const std::function<bool()>& holds) {
  const auto started = std::chrono::steady_clock::now();
  while (!holds()) {
    if (std::chrono::steady_clock::now() - started > std::chrono::milliseconds(ms)) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  return true;
}

bool isSet(const unsigned char& ended) {
  return std::atomic_ref<const unsigned char>(ended).load(std::memory_order_acquire) != 0;
}

class MpegLibraryOutput : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    gst_init(nullptr, nullptr);
    ASSERT_TRUE(gst_element_register(nullptr, "corvelastandinsink", GST_RANK_PRIMARY + 100,
                                     stand_in_sink_get_type()));
  }

  void SetUp() override {
    ASSERT_TRUE(init());
    const QString file = dir_.filePath("tone.mp3");
    writeTone(file, {.milliseconds = 5000});
    Open(QFile::encodeName(file).constData(), MPEGDLL_STREAM_FILE, nullptr, nullptr, nullptr,
         nullptr, nullptr, nullptr, nullptr);
    SetOutputDevice(MPEGDLL_DEVICE_DEFAULT, "");
  }

  void TearDown() override {
    buffersBeforeFailure = -1;
    deinit();
  }

  QTemporaryDir dir_;
  unsigned char ended_ = 0;
};

TEST_F(MpegLibraryOutput, ADeviceFailingMidFileEndsPlaybackWithAnOutputError) {
  buffersBeforeFailure = 2;
  ASSERT_EQ(Play(0, 0, &ended_), 0);

  ASSERT_TRUE(within(1000, [&] { return isSet(ended_); }));
  EXPECT_EQ(GetPlayerMode(), MPEGDLL_MODE_STOPPED);
  GetCurrentPos();
  EXPECT_EQ(LastError(), MPEGDLL_OUTPUT_ERROR);
  GetCurrentPos();
  EXPECT_EQ(LastError(), MPEGDLL_OK);
}

// The output is made anew by Play and after a seek while playing; each one
// plays at the volume last asked for, and a change reaches the one playing.
TEST_F(MpegLibraryOutput, TheVolumeReachesEveryOutputAndTheOnePlaying) {
  SetVolume(0.25);
  ASSERT_EQ(Play(0, 0, &ended_), 0);
  EXPECT_EQ(latestVolume, 0.25);

  SetVolume(0.5);
  EXPECT_EQ(LastError(), MPEGDLL_OK);
  EXPECT_TRUE(within(1000, [] { return latestVolume == 0.5; }));
  Seek(1000);
  EXPECT_EQ(latestVolume, 0.5);

  Pause(0);
  SetVolume(0.75);
  EXPECT_TRUE(within(1000, [] { return latestVolume == 0.75; })) << "while paused";
  SetVolume(2);
  EXPECT_TRUE(within(1000, [] { return latestVolume == 1; }));
  SetVolume(-1);
  EXPECT_TRUE(within(1000, [] { return latestVolume == 0; }));

  SetVolume(std::nan(""));
  Stop();
  ASSERT_EQ(Play(0, 0, &ended_), 0);
  EXPECT_EQ(latestVolume, 0) << "kept for the next playback; not a number changes nothing";
}

}  // namespace
