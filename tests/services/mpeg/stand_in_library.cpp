// A stand-in MPEG library for the component's tests: every export records
// its call and arguments in the shared state and answers from it.
#include "stand_in.h"

namespace {

StandIn state;

void record(const char* name) {
  state.calls.emplace_back(name);
  const auto error = state.errors.find(name);
  state.lastError = error == state.errors.end() ? 0 : error->second;
}

}  // namespace

extern "C" {

MPEGDLL_EXPORT StandIn* standIn() { return &state; }

bool init(void) {
  record("init");
  return state.initResult;
}

void deinit(void) { record("deinit"); }

void Open(const char* file_name, int stream_flag, mpegdll_open_cb open_cb,
          mpegdll_close_cb close_cb, mpegdll_restart_cb restart_cb, mpegdll_read_cb read_cb,
          mpegdll_seek_cb seek_cb, mpegdll_size_cb size_cb, void* user) {
  record("Open");
  state.fileName = file_name ? file_name : "(null)";
  state.streamFlag = stream_flag;
  state.stream = {open_cb, close_cb, restart_cb, read_cb, seek_cb, size_cb, user};
}

void Close(void) { record("Close"); }

int Play(int start_ms, int end_ms, unsigned char* ended) {
  record("Play");
  state.startPos = start_ms;
  state.endPos = end_ms;
  state.ended = ended;
  return state.playResult;
}

void Pause(int resume) {
  record("Pause");
  state.pauseFlag = resume;
}

void Restart(void) { record("Restart"); }
void Stop(void) { record("Stop"); }
void ResetPlayerMode(void) { record("ResetPlayerMode"); }

void Seek(int position_ms) {
  record("Seek");
  state.seekPosition = position_ms;
}

void SetPriority(int priority) {
  record("SetPriority");
  state.priority = priority;
}

void SetOutputDevice(int device, const char* file_name) {
  record("SetOutputDevice");
  state.device = device;
  state.outFile = file_name;
}

void SetSndDevice(int device) {
  record("SetSndDevice");
  state.soundDevice = device;
}

void SetVolume(double volume) {
  record("SetVolume");
  state.volume = volume;
}

int GetPlayerMode(void) {
  record("GetPlayerMode");
  return state.mode;
}

int GetCurrentPos(void) {
  record("GetCurrentPos");
  return state.position;
}

int GetLength(void) {
  record("GetLength");
  return state.length;
}

int GetFrequency(void) { return 0; }
int GetBitrate(void) { return 0; }
int GetStereoMode(void) { return 0; }
int GetLayer(void) { return 0; }

int LastError(void) { return state.lastError; }

}  // extern "C"
