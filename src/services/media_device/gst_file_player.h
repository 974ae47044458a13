#pragma once

#include <gst/app/gstappsink.h>

#include <QObject>
#include <QPointer>
#include <atomic>
#include <memory>

#include "services/media_device/file_device.h"
#include "services/media_device/media_device_factory.h"

namespace gst {
class Pipeline;
}
class VideoSurface;

// Plays a media file through GStreamer's playbin; video frames are drawn by
// us into the display window given, or into a window of our own.
class GstFilePlayer : public FilePlayer {
 public:
  GstFilePlayer(AudioOutput output, QString soundFont);
  ~GstFilePlayer() override;

  void open(const QString& path) override;
  void close() override;
  qint64 length() const override { return length_; }
  void play(qint64 from, qint64 to) override;
  void pause() override;
  void resume() override;
  void stop() override;
  qint64 position() const override;
  void setDisplay(QWidget* window) override;
  void setDisplayRect(const QRect& rectangle) override;

 private:
  static GstFlowReturn newFrame(GstAppSink* sink, void* self);
  static void elementSetup(GstElement* playbin, GstElement* element, void* self);
  GstElement* makeVideoSink();
  qint64 knownLength(qint64 fileBytes) const;
  void show(const QImage& frame);
  void placeSurface();

  AudioOutput output_;
  QString soundFont_;
  std::unique_ptr<gst::Pipeline> pipeline_;
  qint64 length_ = 0;
  bool soundFontMissing_ = false;
  std::atomic<int> opened_ = 0;  // counts the files opened, so late frames are known
  QObject context_;
  QPointer<QWidget> display_;
  QRect displayRect_;
  QPointer<VideoSurface> surface_;
};
