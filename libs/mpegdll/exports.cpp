// The exported functions: each runs one player operation and turns what it
// throws into the code that LastError returns. Nothing is thrown across.
#include <atomic>
#include <new>
#include <string>

#include "audio_output.h"
#include "decoder.h"
#include "failure.h"
#include "mpegdll.h"
#include "player.h"
#include "stream_input.h"

namespace {

std::atomic<int> lastError{MPEGDLL_OK};

Player& player() {
  static Player instance;
  return instance;
}

template <typename Call>
auto guarded(Call call, decltype(call()) onFailure) {
  try {
    auto result = call();
    lastError = MPEGDLL_OK;
    return result;
  } catch (const Failure& failure) {
    lastError = failure.code;
  } catch (...) {
    lastError = MPEGDLL_DECODER_ERROR;
  }
  return onFailure;
}

template <typename Call>
void guarded(Call call) {
  guarded(
      [&] {
        call();
        return true;
      },
      false);
}

std::unique_ptr<Decoder> openDecoder(const char* fileName, int streamFlag,
                                     const StreamCallbacks& callbacks) {
  if (streamFlag == MPEGDLL_STREAM_CALLBACKS)
    return std::make_unique<Decoder>(std::make_unique<StreamInput>(callbacks));
  if (streamFlag != MPEGDLL_STREAM_FILE || !fileName) throw Failure(MPEGDLL_INPUT_ERROR);
  return std::make_unique<Decoder>(openFileInput(fileName));
}

}  // namespace

extern "C" {

bool init(void) {
  if (!defaultOutputReady()) {
    lastError = MPEGDLL_OUTPUT_ERROR;
    return false;
  }
  lastError = MPEGDLL_OK;
  return true;
}

void deinit(void) {
  guarded([] { player().close(); });
}

void Open(const char* file_name, int stream_flag, mpegdll_open_cb open_cb,
          mpegdll_close_cb close_cb, mpegdll_restart_cb restart_cb, mpegdll_read_cb read_cb,
          mpegdll_seek_cb seek_cb, mpegdll_size_cb size_cb, void* user) {
  const StreamCallbacks callbacks{open_cb, close_cb, restart_cb, read_cb, seek_cb, size_cb, user};
  guarded([&] { player().open([&] { return openDecoder(file_name, stream_flag, callbacks); }); });
}

void Close(void) {
  guarded([] { player().close(); });
}

int Play(int start_ms, int end_ms, unsigned char* ended) {
  return guarded(
      [&] {
        player().play(start_ms, end_ms, ended);
        return 0;
      },
      1);
}

void Pause(int resume) {
  guarded([=] { player().pause(resume == 0); });
}

void Restart(void) {
  guarded([] { player().restart(); });
}

void Stop(void) {
  guarded([] { player().stop(); });
}

void ResetPlayerMode(void) {
  guarded([] { player().rewind(); });
}

void Seek(int position_ms) {
  guarded([=] { player().seek(position_ms); });
}

void SetPriority(int priority) {
  guarded([=] { player().setPriority(priority); });
}

void SetOutputDevice(int device, const char* file_name) {
  guarded([=] { player().setOutputDevice(device, file_name); });
}

void SetSndDevice(int device) {
  guarded([=] { player().setSoundDevice(device); });
}

void SetVolume(double volume) {
  guarded([=] { player().setVolume(volume); });
}

int GetPlayerMode(void) {
  return guarded([] { return player().mode(); }, MPEGDLL_MODE_CLOSED);
}

int GetCurrentPos(void) {
  return guarded([] { return player().position(); }, 0);
}

int GetLength(void) {
  return guarded([] { return player().length(); }, 0);
}

int GetFrequency(void) {
  return guarded([] { return player().facts().frequency; }, 0);
}

int GetBitrate(void) {
  return guarded([] { return player().facts().bitrate; }, 0);
}

int GetStereoMode(void) {
  return guarded([] { return player().facts().stereoMode; }, 0);
}

int GetLayer(void) {
  return guarded([] { return player().facts().layer; }, 0);
}

int LastError(void) { return lastError; }

}  // extern "C"
