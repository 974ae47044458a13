#include "stream_input.h"

#include <algorithm>
#include <climits>

#include "failure.h"

StreamInput::StreamInput(const StreamCallbacks& callbacks) : callbacks_(callbacks) {
  if (!callbacks_.read) throw Failure(MPEGDLL_INPUT_ERROR);
  bool nonseekable = false;
  if (callbacks_.open) callbacks_.open(callbacks_.user, &nonseekable, &context_);
  seekable_ = !nonseekable && callbacks_.seek;
}

StreamInput::~StreamInput() {
  if (callbacks_.close) callbacks_.close(callbacks_.user, context_);
}

long StreamInput::size() const {
  int result = -1;
  if (callbacks_.size) callbacks_.size(callbacks_.user, context_, &result);
  return result;
}

bool StreamInput::rewind() {
  bool result = false;
  if (callbacks_.restart) callbacks_.restart(callbacks_.user, context_, &result);
  return result;
}

ssize_t StreamInput::read(void* buffer, size_t count) {
  const int wanted = static_cast<int>(std::min<size_t>(count, INT_MAX));
  int got = 0;
  bool ok = false;
  callbacks_.read(callbacks_.user, context_, buffer, wanted, &got, &ok);
  if (!ok || got < 0 || got > wanted) return -1;
  return got;
}

off_t StreamInput::seek(off_t offset, int whence) {
  // The callback moves by an int; a larger move cannot be asked for.
  if (!seekable_ || offset > INT_MAX || offset < INT_MIN) return -1;
  int result = -1;
  callbacks_.seek(callbacks_.user, context_, static_cast<int>(offset), whence, &result);
  return result;
}
