#pragma once

#include <sys/types.h>

#include <cstddef>
#include <memory>
#include <string>

// Where the decoder reads the MPEG data from.
class Input {
 public:
  virtual ~Input() = default;

  virtual bool seekable() const = 0;
  // Size in bytes, -1 when it cannot be told.
  virtual long size() const = 0;
  // Back to the first byte, also where the input cannot seek; false when it cannot.
  virtual bool rewind() = 0;
  // Bytes read, 0 at the end, -1 on failure.
  virtual ssize_t read(void* buffer, size_t count) = 0;
  // The new place, -1 on failure.
  virtual off_t seek(off_t offset, int whence) = 0;

  // The decoder's reader interface.
  static ssize_t readFrom(void* input, void* buffer, size_t count) {
    return static_cast<Input*>(input)->read(buffer, count);
  }
  static off_t seekIn(void* input, off_t offset, int whence) {
    return static_cast<Input*>(input)->seek(offset, whence);
  }
};

// A file read through a large buffer, so that the decoder's many small reads
// cost no system call each.
std::unique_ptr<Input> openFileInput(const std::string& fileName);
