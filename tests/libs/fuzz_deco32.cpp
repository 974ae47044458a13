// Feeds the decompression library files that declare large pictures: the
// input's first bytes choose the sides (up to 32767 each), the colour model
// and the block sizes; the rest is the payload behind a header whose check
// value is right. Whatever the sides, the library must answer within the
// fuzzer's memory and time limits.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "codec_test_support.h"
#include "deco32.h"

namespace {

constexpr std::size_t kChoices = 6;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size <= kChoices) return 0;
  const unsigned width = 1 + ((unsigned(data[0]) << 8 | data[1]) & 0x7FFE);
  const unsigned height = 1 + ((unsigned(data[2]) << 8 | data[3]) & 0x7FFE);
  const int smallest = fif::kMinRangeLog2 + data[5] % fif::kMaxRangeLog2;
  const std::vector<std::uint8_t> file =
      fileDeclaring(width, height, data[4] & 1, smallest, data + kChoices, size - kChoices);
  int handle = 0;
  if (OpenDecompressor(&handle) != DECO_OK) return 0;
  if (SetFIFBuffer(handle, file.data(), int(file.size())) == DECO_OK) {
    SetOutputFormat(handle, 3, 2, 1, 4, 0);
    // Even a small render of a large picture works at the stored scale: the
    // library renders it within its budget or refuses.
    std::vector<std::uint8_t> pixels(48 * 32 * 3);
    SetOutputResolution(handle, 48, 32);
    DecompressToBuffer(handle, pixels.data(), 0, 0, 0, 0, 48 * 3);
  }
  ClearFIFBuffer(handle);
  CloseDecompressor(handle);
  return 0;
}
