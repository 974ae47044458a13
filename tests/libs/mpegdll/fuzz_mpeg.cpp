// Feeds arbitrary bytes to the MPEG audio decoder the library plays through:
// once as a file it can seek in (scanned for its length, then sought and
// rewound) and once as a stream it cannot.
#include <algorithm>
#include <cstring>
#include <span>

#include "decoder.h"
#include "failure.h"

namespace {

class MemoryInput : public Input {
 public:
  MemoryInput(std::span<const uint8_t> bytes, bool seekable) : bytes_(bytes), seekable_(seekable) {}

  bool seekable() const override { return seekable_; }
  long size() const override { return long(bytes_.size()); }
  bool rewind() override {
    at_ = 0;
    return true;
  }
  ssize_t read(void* buffer, size_t count) override {
    const size_t n = std::min(count, bytes_.size() - at_);
    std::memcpy(buffer, bytes_.data() + at_, n);
    at_ += n;
    return ssize_t(n);
  }
  off_t seek(off_t offset, int whence) override {
    if (!seekable_) return -1;
    const off_t base = whence == SEEK_CUR   ? off_t(at_)
                       : whence == SEEK_END ? off_t(bytes_.size())
                                            : 0;
    if (base + offset < 0 || base + offset > off_t(bytes_.size())) return -1;
    at_ = size_t(base + offset);
    return off_t(at_);
  }

 private:
  std::span<const uint8_t> bytes_;
  size_t at_ = 0;
  bool seekable_;
};

void decodeAll(Decoder& decoder) {
  int16_t buffer[4608];
  while (!decoder.read(buffer).empty()) {
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  for (bool seekable : {true, false}) {
    try {
      Decoder decoder(std::make_unique<MemoryInput>(std::span(data, size), seekable));
      decodeAll(decoder);
      if (seekable) decoder.seek(decoder.lengthFrames() / 2);
      decoder.rewind();
      decodeAll(decoder);
    } catch (const Failure&) {
    }
  }
  return 0;
}
