#include "services/media_device/disc_toc.h"

#include <algorithm>

bool DiscToc::allAudio() const {
  return std::all_of(tracks.begin(), tracks.end(), [](const DiscTrack& t) { return t.audio; });
}

int DiscToc::trackStart(int n) const {
  if (n == trackCount() + 1) return leadout;
  return tracks.at(static_cast<std::size_t>(n - 1)).start;
}

int DiscToc::trackLength(int n) const {
  if (n < 1 || n > trackCount()) return 0;
  return trackStart(n + 1) - trackStart(n);
}

int DiscToc::trackAt(int frame) const {
  int track = 1;
  while (track < trackCount() && trackStart(track + 1) <= frame) ++track;
  return track;
}

std::uint32_t packTmsf(const Tmsf& v) {
  return static_cast<std::uint32_t>(v.track & 0xff) |
         static_cast<std::uint32_t>(v.minutes & 0xff) << 8 |
         static_cast<std::uint32_t>(v.seconds & 0xff) << 16 |
         static_cast<std::uint32_t>(v.frames & 0xff) << 24;
}

Tmsf unpackTmsf(std::uint32_t value) {
  return {static_cast<int>(value & 0xff), static_cast<int>(value >> 8 & 0xff),
          static_cast<int>(value >> 16 & 0xff), static_cast<int>(value >> 24 & 0xff)};
}

std::uint32_t packMsf(int frames) {
  const int seconds = frames / kFramesPerSecond;
  return static_cast<std::uint32_t>(seconds / 60 & 0xff) |
         static_cast<std::uint32_t>(seconds % 60) << 8 |
         static_cast<std::uint32_t>(frames % kFramesPerSecond) << 16;
}
