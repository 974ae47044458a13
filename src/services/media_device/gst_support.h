#pragma once

#include <gst/gst.h>

#include <QObject>
#include <QString>
#include <atomic>
#include <functional>
#include <mutex>

struct AudioOutput;

namespace gst {

// GStreamer is initialised once for the process.
void initialise();

// The sink sound goes to: the capture file when one is named, else the
// system's output (named to the sound server as the program's, playing music
// or a video's sound), else (the machine has no audio device) a silent output
// that keeps real time, so positions and ends behave the same.
GstElement* makeAudioSink(const AudioOutput& output);

// Owns a pipeline. Its end and its errors are delivered on the thread that
// made it (the user-interface thread); nothing is delivered once it is gone.
class Pipeline {
 public:
  explicit Pipeline(GstElement* pipeline);
  ~Pipeline();
  Pipeline(const Pipeline&) = delete;
  Pipeline& operator=(const Pipeline&) = delete;

  GstElement* element() const { return pipeline_; }
  void onEnd(std::function<void()> handler) { end_ = std::move(handler); }
  void onError(std::function<void(const QString&)> handler) { error_ = std::move(handler); }

  // Changes state and waits for it; on failure returns the pipeline's error text.
  QString changeState(GstState state, int waitMilliseconds);
  void setState(GstState state) { gst_element_set_state(pipeline_, state); }
  qint64 positionNs() const;  // -1 when unknown
  qint64 durationNs() const;  // -1 when unknown
  // The stream's bit rate as its tags give it; 0 when none was given.
  unsigned int bitrate() const { return bitrate_; }

 private:
  static GstBusSyncReply busMessage(GstBus* bus, GstMessage* message, gpointer self);
  void post(std::function<void()> call);
  void noteBitrate(GstMessage* message);

  GstElement* pipeline_;
  QObject context_;
  std::function<void()> end_;
  std::function<void(const QString&)> error_;
  std::atomic<unsigned int> bitrate_ = 0;
  mutable std::mutex errorLock_;
  QString lastError_;
};

}  // namespace gst
