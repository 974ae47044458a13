#pragma once

#include <QString>
#include <optional>

// Where a WAVE file keeps its samples when they are CD audio already (PCM,
// 16-bit, stereo, 44.1 kHz): such a file plays as it lies, with nothing to
// decode. Nothing for any other file.
struct WaveAudio {
  qint64 offset = 0;  // of the first sample in the file
  qint64 size = 0;  // bytes of samples
};
std::optional<WaveAudio> cdAudioInWave(const QString& path);
