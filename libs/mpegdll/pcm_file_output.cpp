#include <cstdio>

#include "audio_output.h"
#include "failure.h"
#include "mpegdll.h"

namespace {

// Raw samples written as fast as they are decoded; "played" means written.
class PcmFileOutput : public AudioOutput {
 public:
  PcmFileOutput(const PcmFormat& format, const std::string& fileName)
      : format_(format), file_(fileName.empty() ? nullptr : std::fopen(fileName.c_str(), "wb")) {
    if (!file_) throw Failure(MPEGDLL_OUTPUT_ERROR);
    std::setvbuf(file_, nullptr, _IOFBF, 1 << 16);
  }
  ~PcmFileOutput() override { std::fclose(file_); }

  bool hasRoom() override { return true; }

  void write(std::span<const int16_t> samples) override {
    if (std::fwrite(samples.data(), sizeof(int16_t), samples.size(), file_) != samples.size())
      throw Failure(MPEGDLL_OUTPUT_ERROR);
    written_ += static_cast<int64_t>(samples.size()) / format_.channels;
  }

  void finish() override {
    if (std::fflush(file_) != 0) throw Failure(MPEGDLL_OUTPUT_ERROR);
    finished_ = true;
  }

  bool drained() override { return finished_; }
  void setPaused(bool) override {}
  void flush() override { written_ = 0; }
  int64_t playedFrames() override { return written_; }
  // The file holds what was decoded; whoever plays it chooses the loudness.
  void setVolume(double) override {}

 private:
  PcmFormat format_;
  std::FILE* file_;
  int64_t written_ = 0;
  bool finished_ = false;
};

}  // namespace

std::unique_ptr<AudioOutput> makePcmFileOutput(const PcmFormat& format,
                                               const std::string& fileName) {
  return std::make_unique<PcmFileOutput>(format, fileName);
}
