#pragma once

#include <sys/types.h>

#include <atomic>
#include <condition_variable>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "audio_output.h"
#include "decoder.h"
#include "mpegdll.h"

// The library's one player. Calls come from one thread; playback runs on a
// thread of its own, which owns the decoder and the output while it runs and
// takes pause, seek and quit as commands that the caller waits for. Failures
// are thrown with their LastError code.
class Player {
 public:
  ~Player();

  // Closes what is open, then opens the new input.
  void open(const std::function<std::unique_ptr<Decoder>()>& openInput);
  void close();
  void play(int startMs, int endMs, unsigned char* ended);
  void restart();
  void pause(bool paused);
  void stop();
  void rewind();
  void seek(int ms);

  void setPriority(int priority);
  void setOutputDevice(int device, const char* fileName);
  void setSoundDevice(int device);
  void setVolume(double volume);

  int mode() const { return mode_; }
  // The position; throws, once, the failure that stopped playback.
  int position();
  int length() const;
  StreamFacts facts() const;

 private:
  // What Play asked for; Restart asks for it again.
  struct Request {
    int startMs = 0;
    int endMs = 0;
    unsigned char* ended = nullptr;
  };
  struct Command {
    enum Kind { Pause, Resume, Seek, Quit } kind;
    int64_t frame = 0;
  };

  Decoder& decoder();
  void startPlayback(const Request& request);
  void stopPlayback();
  void reap();
  bool send(Command command);

  // The playback thread.
  void run();
  bool apply(const Command& command);
  void seekWhilePlaying(int64_t frame);
  void loop(std::unique_lock<std::mutex>& lock);
  bool decodeStep();
  void followVolume();
  void publishPosition();
  void finishAtEnd();
  void finishWithFailure(int code);
  void applyPriority();

  std::unique_ptr<Decoder> decoder_;
  std::unique_ptr<AudioOutput> output_;
  int device_ = MPEGDLL_DEVICE_DEFAULT;
  std::string outputFile_;
  std::atomic<int> priority_{0};
  Request played_;

  // Owned by the playback thread while it runs.
  std::vector<int16_t> buffer_;
  int64_t endFrame_ = -1;
  int64_t baseFrame_ = 0;
  int64_t decodedFrame_ = 0;
  bool paused_ = false;
  bool draining_ = false;
  double outputVolume_ = 1.0;

  std::thread thread_;
  std::mutex mutex_;
  std::condition_variable wake_;
  std::condition_variable done_;
  // Guarded by mutex_.
  std::optional<Command> command_;
  int commandFailure_ = MPEGDLL_OK;
  // The thread ended before it took the command.
  bool commandUnanswered_ = false;
  bool running_ = false;
  pid_t threadId_ = 0;
  // Kept across playbacks; the playback thread hands it to the output.
  double volume_ = 1.0;

  std::atomic<int> mode_{MPEGDLL_MODE_CLOSED};
  std::atomic<int64_t> positionMs_{0};
  // What stopped playback on its way; reported by the next position.
  std::atomic<int> failure_{MPEGDLL_OK};
};
