#include "decompressor.h"

#include <algorithm>
#include <limits>
#include <new>
#include <stdexcept>
#include <vector>

#include "budget.h"
#include "fif/decoder.h"

namespace deco {

namespace {

constexpr int kMaxOutputPixels = 1 << 28;
constexpr int kUnusedByte = 5;

// What the library picks for free entries: a 6 x 6 x 6 colour cube, then
// greys between its steps.
std::uint32_t freeColour(int index) {
  if (index < 216) {
    const int r = index / 36, g = index / 6 % 6, b = index % 6;
    return std::uint32_t(r * 51) << 16 | std::uint32_t(g * 51) << 8 | std::uint32_t(b * 51);
  }
  const auto grey = std::uint32_t(((index - 216) * 255 + 20) / 40);
  return grey << 16 | grey << 8 | grey;
}

// Unwinds the renderer when the caller's callback asks to stop.
struct Stopped {};

std::uint32_t little32(const std::uint8_t* at) {
  return std::uint32_t(at[0]) | std::uint32_t(at[1]) << 8 | std::uint32_t(at[2]) << 16 |
         std::uint32_t(at[3]) << 24;
}

// What reading a file answers: its own status, or the file's fault, or
// memory running out.
template <class Read>
int readingStatus(Read&& read) {
  try {
    return read();
  } catch (const fif::FormatError& error) {
    return error.fault == fif::FormatFault::NotFif    ? DECO_NOT_FIF
           : error.fault == fif::FormatFault::Version ? DECO_FIF_VERSION
                                                      : DECO_DAMAGED;
  } catch (const std::bad_alloc&) {
    return DECO_NO_MEMORY;
  } catch (const std::length_error&) {
    return DECO_NO_MEMORY;
  }
}

}  // namespace

Decompressor::Decompressor(int handle) : handle_(handle) {}

int Decompressor::setBuffer(const void* bytes, int count) {
  if (!bytes || count <= 0) return DECO_BAD_ARGUMENT;
  clearBuffer();
  return readingStatus([&] {
    const auto* data = static_cast<const std::uint8_t*>(bytes);
    fif::Header header = fif::readHeader(data, std::size_t(count));
    const std::size_t start = fif::kHeaderSize + header.colourTable.size() * 3;
    const std::size_t payload = std::size_t(count) - start;
    if (payload != little32(data + 20) || fif::crc32(data + start, payload) != little32(data + 24))
      return DECO_DAMAGED;
    if (!bytesHoldBlocks(header, payload)) return DECO_DAMAGED;
    if (!transformsWithinBudget(header, payload)) return DECO_NO_MEMORY;
    bytes_ = data;
    count_ = std::size_t(count);
    header_ = std::move(header);
    return DECO_OK;
  });
}

int Decompressor::readBlocks() {
  if (file_) return DECO_OK;
  return readingStatus([this] {
    file_ = fif::readFile(bytes_, count_, std::size_t(kMaxTransforms));
    return DECO_OK;
  });
}

int Decompressor::clearBuffer() {
  bytes_ = nullptr;
  count_ = 0;
  header_.reset();
  file_.reset();
  return DECO_OK;
}

int Decompressor::originalResolution(int* width, int* height, int* colours) const {
  if (!width || !height || !colours) return DECO_BAD_ARGUMENT;
  if (!header_) return DECO_NO_FIF_BUFFER;
  *width = header_->width;
  *height = header_->height;
  *colours = int(header_->colourTable.size());
  return DECO_OK;
}

int Decompressor::fifColourTable(void* table) const {
  if (!table) return DECO_BAD_ARGUMENT;
  if (!header_) return DECO_NO_FIF_BUFFER;
  const auto& colours = header_->colourTable;
  if (colours.empty()) return DECO_NO_COLOR_TABLE;
  auto* entries = static_cast<unsigned char*>(table);
  for (std::size_t i = 0; i < 256; ++i)
    writeEntry(i < colours.size() ? colours[i] : 0, entries + 4 * i);
  return DECO_OK;
}

int Decompressor::setResolution(int width, int height) {
  if (width <= 0 || height <= 0 || width > fif::kMaxSide || height > fif::kMaxSide ||
      std::int64_t(width) * height > kMaxOutputPixels)
    return DECO_BAD_ARGUMENT;
  width_ = width;
  height_ = height;
  return DECO_OK;
}

int Decompressor::resolution(int* width, int* height) const {
  if (!width || !height) return DECO_BAD_ARGUMENT;
  *width = width_;
  *height = height_;
  return DECO_OK;
}

int Decompressor::setFormat(int a, int b, int c, int alignment, int orientation) {
  OutputFormat parsed;
  if (!parseOutputFormat(a, b, c, alignment, orientation, parsed)) return DECO_BAD_ARGUMENT;
  format_ = parsed;
  const int arguments[5] = {a, b, c, alignment, orientation};
  std::copy(arguments, arguments + 5, formatArguments_);
  return DECO_OK;
}

int Decompressor::format(int* a, int* b, int* c, int* alignment, int* orientation) const {
  if (!a || !b || !c || !alignment || !orientation) return DECO_BAD_ARGUMENT;
  if (!format_) return DECO_NO_FORMAT;
  int* out[5] = {a, b, c, alignment, orientation};
  for (int i = 0; i < 5; ++i) *out[i] = formatArguments_[i];
  return DECO_OK;
}

int Decompressor::setTableFormat(int byte0, int byte1, int byte2, int byte3) {
  const int bytes[4] = {byte0, byte1, byte2, byte3};
  int seen[6] = {};
  for (int b : bytes) {
    if (b != 1 && b != 2 && b != 3 && b != kUnusedByte) return DECO_BAD_ARGUMENT;
    ++seen[b];
  }
  if (seen[1] != 1 || seen[2] != 1 || seen[3] != 1) return DECO_BAD_ARGUMENT;
  std::copy(bytes, bytes + 4, tableFormat_);
  return DECO_OK;
}

int Decompressor::tableFormat(int* byte0, int* byte1, int* byte2, int* byte3) const {
  if (!byte0 || !byte1 || !byte2 || !byte3) return DECO_BAD_ARGUMENT;
  int* out[4] = {byte0, byte1, byte2, byte3};
  for (int i = 0; i < 4; ++i) *out[i] = tableFormat_[i];
  return DECO_OK;
}

void Decompressor::readEntry(const unsigned char* entry, std::uint32_t& colour) const {
  colour = 0;
  for (int i = 0; i < 4; ++i)
    if (tableFormat_[i] != kUnusedByte)
      colour |= std::uint32_t(entry[i]) << (8 * (3 - tableFormat_[i]));
}

void Decompressor::writeEntry(std::uint32_t colour, unsigned char* entry) const {
  for (int i = 0; i < 4; ++i)
    entry[i] =
        tableFormat_[i] == kUnusedByte ? 0 : std::uint8_t(colour >> (8 * (3 - tableFormat_[i])));
}

int Decompressor::setOutputTable(const void* table, const unsigned char* flags, int count) {
  if (count < 1 || count > 256 || (!table && !flags)) return DECO_BAD_ARGUMENT;
  const auto* entries = static_cast<const unsigned char*>(table);
  ColourTable chosen;
  chosen.count = count;
  int free = 0;
  for (int i = 0; i < count; ++i) {
    const int flag = flags ? flags[i] : 1;
    if (flag > 2 || (flag == 1 && !entries)) return DECO_BAD_ARGUMENT;
    chosen.used[std::size_t(i)] = flag != 0;
    if (flag == 1) readEntry(entries + 4 * i, chosen.colours[std::size_t(i)]);
    if (flag == 2) chosen.colours[std::size_t(i)] = freeColour(free++);
  }
  table_ = chosen;
  return DECO_OK;
}

int Decompressor::outputTable(void* table) const {
  if (!table) return DECO_BAD_ARGUMENT;
  auto* entries = static_cast<unsigned char*>(table);
  for (std::size_t i = 0; i < 256; ++i) writeEntry(table_.colours[i], entries + 4 * i);
  return DECO_OK;
}

int Decompressor::setCallback(DecoCallback callback, int step) {
  if (callback && (step < 1 || step > 100)) return DECO_BAD_ARGUMENT;
  callback_ = callback;
  callbackStep_ = step;
  return DECO_OK;
}

int Decompressor::decompress(void* pixels, int stride) {
  if (!header_) return DECO_NO_FIF_BUFFER;
  if (width_ == 0) return DECO_NO_RESOLUTION;
  if (!format_) return DECO_NO_FORMAT;
  if (renderBytes(*header_, width_, height_) > kRenderBudget) return DECO_NO_MEMORY;
  if (!pixels || stride < format_->rowBytes(width_) || stride % format_->alignment != 0)
    return DECO_BAD_ARGUMENT;
  if (const int status = readBlocks(); status != DECO_OK) return status;
  OutputFormat format = *format_;
  if (!dither) format.ditherSize = 1;
  if (format.layout == OutputFormat::Layout::Indexed8 && table_.count == 0) {
    const std::vector<unsigned char> everyEntryFree(256, 2);
    setOutputTable(nullptr, everyEntryFree.data(), 256);
  }
  int reported = 0;
  const fif::Progress progress = [&](int percent) {
    if (!callback_ || percent - reported < callbackStep_) return;
    reported = percent;
    if (callback_(handle_, percent) != 0) throw Stopped{};
  };
  try {
    const fif::RgbImage image = fif::render(*file_, width_, height_, progress, filter);
    writePixels(image, format, table_, static_cast<std::uint8_t*>(pixels), stride);
  } catch (const Stopped&) {
    return DECO_STOPPED;
  } catch (const std::bad_alloc&) {
    return DECO_NO_MEMORY;
  }
  return DECO_OK;
}

}  // namespace deco
