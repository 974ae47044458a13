#pragma once

#include "input.h"
#include "mpegdll.h"

struct StreamCallbacks {
  mpegdll_open_cb open = nullptr;
  mpegdll_close_cb close = nullptr;
  mpegdll_restart_cb restart = nullptr;
  mpegdll_read_cb read = nullptr;
  mpegdll_seek_cb seek = nullptr;
  mpegdll_size_cb size = nullptr;
  void* user = nullptr;
};

// An input reached through the caller's callbacks: opened on construction,
// closed on destruction.
class StreamInput : public Input {
 public:
  explicit StreamInput(const StreamCallbacks& callbacks);
  ~StreamInput() override;
  StreamInput(const StreamInput&) = delete;
  StreamInput& operator=(const StreamInput&) = delete;

  bool seekable() const override { return seekable_; }
  long size() const override;
  bool rewind() override;
  ssize_t read(void* buffer, size_t count) override;
  off_t seek(off_t offset, int whence) override;

 private:
  StreamCallbacks callbacks_;
  void* context_ = nullptr;
  bool seekable_ = false;
};
