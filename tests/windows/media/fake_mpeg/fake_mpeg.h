#pragma once

#include <map>
#include <string>
#include <vector>

// A stand-in MPEG library on a clock the test moves: it plays the files it
// is told of, in the real library's modes, and sets the ended byte at the end.
struct FakeMpeg {
  std::map<std::string, int> lengths;  // the files it can play, in milliseconds
  std::vector<std::string> opened;  // every file opened, in order
  int mode = 0;  // 0 closed, 2 stopped, 3 playing, 4 paused
  int position = 0;
  int length = 0;
  int lastError = 0;
  unsigned char* ended = nullptr;
  int outputFailsAt = -1;  // the output fails once, when playback gets there
  int failure = 0;  // reported by the next GetCurrentPos
  bool seekFails = false;  // a seek meets an input error
  double volume = 1;

  void advance(int milliseconds) {
    if (mode != 3) return;
    position += milliseconds;
    if (outputFailsAt >= 0 && position >= outputFailsAt) {
      failure = 5;
      outputFailsAt = -1;
    }
    if (position < length && !failure) return;
    position = length;
    mode = 2;
    if (ended) *ended = 1;
  }
};

extern "C" FakeMpeg* fakeMpeg();
