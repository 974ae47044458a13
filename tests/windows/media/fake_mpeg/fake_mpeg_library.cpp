// The exports of the MPEG library over the FakeMpeg state.
#include "fake_mpeg.h"
#include "mpegdll.h"

namespace {

FakeMpeg state;

// Every call but LastError leaves its own code.
int& result() { return state.lastError = MPEGDLL_OK; }

}  // namespace

extern "C" {

MPEGDLL_EXPORT FakeMpeg* fakeMpeg() { return &state; }

bool init(void) { return result() == MPEGDLL_OK; }
void deinit(void) { result(); }

void Open(const char* file_name, int, mpegdll_open_cb, mpegdll_close_cb, mpegdll_restart_cb,
          mpegdll_read_cb, mpegdll_seek_cb, mpegdll_size_cb, void*) {
  const auto file = state.lengths.find(file_name ? file_name : "");
  if (file == state.lengths.end()) {
    result() = MPEGDLL_INPUT_ERROR;
    return;
  }
  result();
  state.opened.push_back(file->first);
  state.mode = MPEGDLL_MODE_STOPPED;
  state.position = 0;
  state.length = file->second;
}

int Play(int, int, unsigned char* ended) {
  if (state.mode != MPEGDLL_MODE_STOPPED) return result() = MPEGDLL_INCORRECT_MODE;
  result();
  state.mode = MPEGDLL_MODE_PLAYING;
  state.ended = ended;
  *ended = 0;
  return 0;
}

void Restart(void) {
  result();
  state.mode = MPEGDLL_MODE_PLAYING;
  state.position = 0;
  *state.ended = 0;
}

void Pause(int resume) {
  const int from = resume ? MPEGDLL_MODE_PAUSED : MPEGDLL_MODE_PLAYING;
  if (state.mode != from) {
    result() = MPEGDLL_INCORRECT_MODE;
    return;
  }
  result();
  state.mode = resume ? MPEGDLL_MODE_PLAYING : MPEGDLL_MODE_PAUSED;
}

void Close(void) {
  result();
  state.mode = MPEGDLL_MODE_CLOSED;
}

void Seek(int position_ms) {
  if (state.seekFails) {
    result() = MPEGDLL_INPUT_ERROR;
    return;
  }
  result();
  state.position = position_ms;
}

int GetPlayerMode(void) {
  result();
  return state.mode;
}
int GetCurrentPos(void) {
  result() = state.failure;
  state.failure = 0;
  return state.position;
}
int GetLength(void) {
  result();
  return state.length;
}
int LastError(void) { return state.lastError; }

void Stop(void) { result(); }
void ResetPlayerMode(void) { result(); }
void SetPriority(int) { result(); }
void SetOutputDevice(int, const char*) { result(); }
void SetSndDevice(int) { result(); }
void SetVolume(double volume) {
  result();
  state.volume = volume;
}
int GetFrequency(void) {
  result();
  return 44100;
}
int GetBitrate(void) {
  result();
  return 128;
}
int GetStereoMode(void) {
  result();
  return 0;
}
int GetLayer(void) {
  result();
  return 3;
}

}  // extern "C"
