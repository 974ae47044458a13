#include "tone_media.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QProcess>
#include <algorithm>
#include <cstdlib>
#include <cstring>

void writeTone(const QString& path, const Tone& tone) {
  const int perBuffer = tone.rate / 100;
  const QString encoder = tone.layer == Tone::Layer::Three
                              ? "lamemp3enc target=bitrate bitrate=128 cbr=true"
                              : "twolamemp2enc bitrate=128";
  const QString pipeline =
      QString(
          "audiotestsrc wave=sine freq=%1 num-buffers=%2 samplesperbuffer=%3 ! "
          "audio/x-raw,format=S16LE,rate=%4,channels=%5 ! %6 ! filesink location=%7")
          .arg(tone.frequency)
          .arg(tone.milliseconds / 10)
          .arg(perBuffer)
          .arg(tone.rate)
          .arg(tone.channels)
          .arg(encoder, path);
  QProcess gst;
  gst.start("gst-launch-1.0", QStringList{"-q"} + QProcess::splitCommand(pipeline));
  if (!gst.waitForFinished(30000)) {
    gst.kill();
    gst.waitForFinished();
    FAIL() << "gst-launch-1.0 did not finish: " << pipeline.toStdString();
  }
  ASSERT_EQ(gst.exitCode(), 0) << gst.readAllStandardError().toStdString();
}

PcmAnalysis analysePcm(const std::vector<int16_t>& samples, int rate, int channels) {
  PcmAnalysis result;
  result.frames = static_cast<int64_t>(samples.size()) / channels;
  result.milliseconds = 1000.0 * result.frames / rate;
  // Rises of the first channel through a band around zero, so that the
  // encoder's near-silent lead-in and coding noise add no crossings.
  int peak = 0;
  for (int64_t i = 0; i < result.frames; ++i)
    peak = std::max(peak, std::abs(static_cast<int>(samples[i * channels])));
  const int band = peak / 4;
  int64_t firstCrossing = -1;
  int64_t lastCrossing = -1;
  int64_t crossings = 0;
  bool low = false;
  for (int64_t i = 0; i < result.frames; ++i) {
    const int sample = samples[i * channels];
    if (sample < -band) low = true;
    if (low && sample > band) {
      low = false;
      if (firstCrossing < 0) firstCrossing = i;
      lastCrossing = i;
      ++crossings;
    }
  }
  if (crossings > 1)
    result.frequency = (crossings - 1) * static_cast<double>(rate) / (lastCrossing - firstCrossing);
  return result;
}

QByteArray readBytes(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeBytes(const QString& path, const QByteArray& bytes) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  ASSERT_EQ(file.write(bytes), bytes.size());
}

std::vector<int16_t> readPcm(const QString& path) {
  const QByteArray bytes = readBytes(path);
  std::vector<int16_t> samples(bytes.size() / 2);
  std::memcpy(samples.data(), bytes.constData(), samples.size() * 2);
  return samples;
}
