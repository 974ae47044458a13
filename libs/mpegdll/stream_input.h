#pragma once

#include <sys/types.h>

#include <cstddef>

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
// closed on destruction, read and moved in by the decoder.
class StreamInput {
 public:
  explicit StreamInput(const StreamCallbacks& callbacks);
  ~StreamInput();
  StreamInput(const StreamInput&) = delete;
  StreamInput& operator=(const StreamInput&) = delete;

  bool seekable() const { return seekable_; }
  // Size in bytes, -1 when the caller cannot tell.
  long size() const;
  // Rewinds a non-seekable input through the caller; false when it cannot.
  bool rewind();

  // The decoder's reader interface.
  static ssize_t read(void* self, void* buffer, size_t count);
  static off_t seek(void* self, off_t offset, int whence);

 private:
  StreamCallbacks callbacks_;
  void* context_ = nullptr;
  bool seekable_ = false;
};
