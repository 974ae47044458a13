#pragma once

#include <QString>
#include <cstdint>
#include <vector>

// CD frames (sectors): 75 a second, 2352 bytes of 16-bit stereo at 44.1 kHz.
constexpr int kFramesPerSecond = 75;
constexpr int kBytesPerFrame = 2352;

// CD-Text as the disc or its cue sheet gives it; empty where it gives none.
struct CdText {
  QString title;
  QString performer;
  bool operator==(const CdText&) const = default;
};

struct DiscTrack {
  int start = 0;  // first frame, counted from the start of track 1's area
  bool audio = true;
  CdText text;
  bool operator==(const DiscTrack&) const = default;
};

// A disc's table of contents. Tracks are numbered from 1; track count + 1
// stands for the end of the disc, so "from n to n + 1" covers track n.
struct DiscToc {
  std::vector<DiscTrack> tracks;
  int leadout = 0;
  CdText text;  // the disc's own title and performer

  int trackCount() const { return static_cast<int>(tracks.size()); }
  bool empty() const { return tracks.empty(); }
  bool allAudio() const;
  int firstFrame() const { return empty() ? 0 : tracks.front().start; }
  // Start of track n; n = count + 1 is the end of the disc.
  int trackStart(int n) const;
  int trackLength(int n) const;  // 0 outside 1..count
  int trackAt(int frame) const;  // the track a frame belongs to (the last one at the end)
  bool operator==(const DiscToc&) const = default;
};

// Packed positions and lengths.
struct Tmsf {
  int track, minutes, seconds, frames;
};
std::uint32_t packTmsf(const Tmsf& value);
Tmsf unpackTmsf(std::uint32_t value);
std::uint32_t packMsf(int frames);  // minutes byte 0, seconds byte 1, frames byte 2
