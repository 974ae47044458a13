#pragma once

#include <optional>

#include "deco32.h"
#include "fif/format.h"
#include "pixel_output.h"

// One decompressor behind a handle: the parsed file and the output settings.
// Each method returns a DECO_* status.
namespace deco {

class Decompressor {
 public:
  explicit Decompressor(int handle);

  int setBuffer(const void* bytes, int count);
  int clearBuffer();
  int originalResolution(int* width, int* height, int* colours) const;
  int fifColourTable(void* table) const;
  int setResolution(int width, int height);
  int resolution(int* width, int* height) const;
  int setFormat(int a, int b, int c, int alignment, int orientation);
  int format(int* a, int* b, int* c, int* alignment, int* orientation) const;
  int setTableFormat(int byte0, int byte1, int byte2, int byte3);
  int tableFormat(int* byte0, int* byte1, int* byte2, int* byte3) const;
  int setOutputTable(const void* table, const unsigned char* flags, int count);
  int outputTable(void* table) const;
  int setCallback(DecoCallback callback, int step);
  int decompress(void* pixels, int stride);

  bool hasBuffer() const { return header_.has_value(); }
  bool dither = true;
  bool filter = true;

 private:
  void readEntry(const unsigned char* entry, std::uint32_t& colour) const;
  void writeEntry(std::uint32_t colour, unsigned char* entry) const;
  void chooseFreeEntries(const unsigned char* flags);

  int readBlocks();

  const int handle_;
  // The caller's bytes, checked whole, and their header. The blocks are read
  // only when a render needs them: asking a file's size costs no more than
  // its header and check value.
  const std::uint8_t* bytes_ = nullptr;
  std::size_t count_ = 0;
  std::optional<fif::Header> header_;
  std::optional<fif::FifFile> file_;
  int width_ = 0, height_ = 0;
  std::optional<OutputFormat> format_;
  int formatArguments_[5] = {};
  int tableFormat_[4] = {1, 2, 3, 5};
  ColourTable table_;
  DecoCallback callback_ = nullptr;
  int callbackStep_ = 1;
};

}  // namespace deco
