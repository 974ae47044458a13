#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Disc images as cue sheet + bin file, written by the project's own tools
// and tests: audio tracks of 16-bit stereo samples at 44.1 kHz, and ISO 9660
// data tracks that carry nothing but a volume id.
struct ImageTrack {
  std::vector<std::int16_t> samples;  // interleaved left, right; audio tracks
  std::string volumeId;  // a data track when not empty
};

constexpr int kSampleRate = 44100;

// Writes the cue sheet at cuePath and the bin file beside it (same name, ".bin").
// Each track is padded with silence to whole frames.
void writeDiscImage(const std::string& cuePath, const std::vector<ImageTrack>& tracks);

// A WAV file of the same samples.
void writeWavFile(const std::string& path, const std::vector<std::int16_t>& samples);

// A steady sine tone in both channels.
std::vector<std::int16_t> tone(double frequency, double seconds, double amplitude = 0.3);
