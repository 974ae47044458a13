#include <sys/stat.h>

#include <cstdio>

#include "failure.h"
#include "input.h"
#include "mpegdll.h"

namespace {

class FileInput : public Input {
 public:
  explicit FileInput(const std::string& fileName) : file_(std::fopen(fileName.c_str(), "rb")) {
    if (!file_) throw Failure(MPEGDLL_INPUT_ERROR);
    std::setvbuf(file_, nullptr, _IOFBF, 1 << 16);
    struct stat status {};
    if (fstat(fileno(file_), &status) == 0 && S_ISREG(status.st_mode)) size_ = status.st_size;
  }
  ~FileInput() override { std::fclose(file_); }

  // Only a regular file can be moved in; a pipe plays straight through.
  bool seekable() const override { return size_ >= 0; }
  long size() const override { return size_; }
  bool rewind() override { return seek(0, SEEK_SET) == 0; }

  ssize_t read(void* buffer, size_t count) override {
    const size_t got = std::fread(buffer, 1, count, file_);
    return got < count && std::ferror(file_) ? -1 : static_cast<ssize_t>(got);
  }

  off_t seek(off_t offset, int whence) override {
    if (!seekable() || fseeko(file_, offset, whence) != 0) return -1;
    return ftello(file_);
  }

 private:
  std::FILE* file_;
  long size_ = -1;
};

}  // namespace

std::unique_ptr<Input> openFileInput(const std::string& fileName) {
  return std::make_unique<FileInput>(fileName);
}
