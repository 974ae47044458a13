// Feeds arbitrary files to the fractal decoder. The payload's check value is
// mended first, so the fuzzer reaches the transform parser and the renderer
// instead of stopping at the checksum.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "fif/decoder.h"
#include "fif/format.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::uint8_t> bytes(data, data + size);
  if (bytes.size() >= std::size_t(fif::kHeaderSize)) {
    const std::uint32_t crc =
        fif::crc32(bytes.data() + fif::kHeaderSize, bytes.size() - fif::kHeaderSize);
    for (int i = 0; i < 4; ++i) bytes[std::size_t(24 + i)] = std::uint8_t(crc >> (8 * i));
  }
  try {
    const fif::FifFile file = fif::readFile(bytes.data(), bytes.size());
    // Small outputs keep each run quick; both scales below and above one.
    fif::render(file, 7, 5);
    fif::render(file, 40, 33);
    // Twice its size, where a small picture learns its enlargement from itself.
    if (file.header.width <= 64 && file.header.height <= 64)
      fif::render(file, 2 * file.header.width, 2 * file.header.height);
  } catch (const fif::FormatError&) {
  }
  return 0;
}
