#pragma once

#include <QString>
#include <cstdint>
#include <vector>

// MPEG audio files of a known sine tone, encoded by GStreamer's encoders, and
// the analysis of decoded PCM that tells the tone back.
struct Tone {
  enum class Layer { Two, Three };
  Layer layer = Layer::Three;
  int frequency = 440;
  int milliseconds = 2000;
  int rate = 44100;
  int channels = 2;
};

// Writes the tone to the file; fails the calling test when it cannot.
void writeTone(const QString& path, const Tone& tone);

struct PcmAnalysis {
  double frequency = 0;  // of the first channel, from its zero crossings
  int64_t frames = 0;
  double milliseconds = 0;
};

PcmAnalysis analysePcm(const std::vector<int16_t>& samples, int rate, int channels);
std::vector<int16_t> readPcm(const QString& path);
QByteArray readBytes(const QString& path);
void writeBytes(const QString& path, const QByteArray& bytes);
