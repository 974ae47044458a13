// The library's C entry points: handles are small integers naming
// decompressors; every call checks its handle and its pointers.
#include <cstring>
#include <map>
#include <memory>
#include <mutex>

#include "deco32.h"
#include "decompressor.h"

#define DECO_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

std::mutex registryLock;
std::map<int, std::unique_ptr<deco::Decompressor>> decompressors;
int lastHandle = 0;

deco::Decompressor* find(int handle) {
  std::lock_guard lock(registryLock);
  const auto found = decompressors.find(handle);
  return found == decompressors.end() ? nullptr : found->second.get();
}

// Runs `call` on the decompressor, or reports a bad handle.
template <class Call>
int with(int handle, Call call) {
  deco::Decompressor* decompressor = find(handle);
  return decompressor ? call(*decompressor) : DECO_BAD_HANDLE;
}

// Sets the integer behind `value`, or reports a bad argument.
int report(int* value, int number) {
  if (!value) return DECO_BAD_ARGUMENT;
  *value = number;
  return DECO_OK;
}

// Turns a setting of the decompressor on (1) or off (0).
int setSwitch(int handle, int value, bool deco::Decompressor::*setting) {
  if (value != 0 && value != 1) return DECO_BAD_ARGUMENT;
  return with(handle, [&](auto& d) {
    d.*setting = value == 1;
    return int(DECO_OK);
  });
}

}  // namespace

DECO_EXPORT int GetDecoVersion(int* major, int* minor) {
  if (major) *major = DECO_VERSION_MAJOR;
  if (minor) *minor = DECO_VERSION_MINOR;
  return DECO_OK;
}

DECO_EXPORT int OpenDecompressor(int* handle) {
  if (!handle) return DECO_BAD_ARGUMENT;
  std::lock_guard lock(registryLock);
  *handle = ++lastHandle;
  decompressors[*handle] = std::make_unique<deco::Decompressor>(*handle);
  return DECO_OK;
}

DECO_EXPORT int CloseDecompressor(int handle) {
  std::lock_guard lock(registryLock);
  return decompressors.erase(handle) ? DECO_OK : DECO_BAD_HANDLE;
}

DECO_EXPORT int SetFIFBuffer(int handle, const void* bytes, int count) {
  return with(handle, [&](auto& d) { return d.setBuffer(bytes, count); });
}

DECO_EXPORT int ClearFIFBuffer(int handle) {
  return with(handle, [](auto& d) { return d.clearBuffer(); });
}

DECO_EXPORT int TestIfFIF(const void* bytes, int count) {
  if (!bytes || count < int(sizeof fif::kSignature)) return DECO_NOT_FIF;
  return std::memcmp(bytes, fif::kSignature, sizeof fif::kSignature) == 0 ? DECO_OK : DECO_NOT_FIF;
}

DECO_EXPORT int GetOriginalResolution(int handle, int* width, int* height, int* colours) {
  return with(handle, [&](auto& d) { return d.originalResolution(width, height, colours); });
}

// The stored size decodes at the working scale of one, the quickest.
DECO_EXPORT int GetFastResolution(int handle, int* width, int* height) {
  int colours;
  return with(handle, [&](auto& d) { return d.originalResolution(width, height, &colours); });
}

// The format keeps no physical size.
DECO_EXPORT int GetPhysicalDimensions(int handle, int* width, int* height) {
  return with(handle, [&](auto&) {
    const int status = report(width, 0);
    return status ? status : report(height, 0);
  });
}

DECO_EXPORT int GetFIFNumColors(int handle, int* colours) {
  int width, height;
  return with(handle, [&](auto& d) { return d.originalResolution(&width, &height, colours); });
}

DECO_EXPORT int GetFIFNumSteps(int handle, int* steps) {
  return with(handle,
              [&](auto& d) { return d.hasBuffer() ? report(steps, 1) : DECO_NO_FIF_BUFFER; });
}

DECO_EXPORT int GetFIFColorTable(int handle, void* table) {
  return with(handle, [&](auto& d) { return d.fifColourTable(table); });
}

DECO_EXPORT int SetOutputResolution(int handle, int width, int height) {
  return with(handle, [&](auto& d) { return d.setResolution(width, height); });
}

DECO_EXPORT int GetOutputResolution(int handle, int* width, int* height) {
  return with(handle, [&](auto& d) { return d.resolution(width, height); });
}

DECO_EXPORT int SetOutputFormat(int handle, int a, int b, int c, int alignment, int orientation) {
  return with(handle, [&](auto& d) { return d.setFormat(a, b, c, alignment, orientation); });
}

DECO_EXPORT int GetOutputFormat(int handle, int* a, int* b, int* c, int* alignment,
                                int* orientation) {
  return with(handle, [&](auto& d) { return d.format(a, b, c, alignment, orientation); });
}

DECO_EXPORT int SetColorTableFormat(int handle, int byte0, int byte1, int byte2, int byte3) {
  return with(handle, [&](auto& d) { return d.setTableFormat(byte0, byte1, byte2, byte3); });
}

DECO_EXPORT int GetColorTableFormat(int handle, int* byte0, int* byte1, int* byte2, int* byte3) {
  return with(handle, [&](auto& d) { return d.tableFormat(byte0, byte1, byte2, byte3); });
}

DECO_EXPORT int SetOutputColorTable(int handle, const void* table, const unsigned char* flags,
                                    int count) {
  return with(handle, [&](auto& d) { return d.setOutputTable(table, flags, count); });
}

DECO_EXPORT int GetOutputColorTable(int handle, void* table) {
  return with(handle, [&](auto& d) { return d.outputTable(table); });
}

DECO_EXPORT int SetOutputDither(int handle, int dither) {
  return setSwitch(handle, dither, &deco::Decompressor::dither);
}

DECO_EXPORT int GetOutputDither(int handle, int* dither) {
  return with(handle, [&](auto& d) { return report(dither, d.dither ? 1 : 0); });
}

DECO_EXPORT int SetOutputFilter(int handle, int filter) {
  return setSwitch(handle, filter, &deco::Decompressor::filter);
}

DECO_EXPORT int GetOutputFilter(int handle, int* filter) {
  return with(handle, [&](auto& d) { return report(filter, d.filter ? 1 : 0); });
}

DECO_EXPORT int SetDecompressCallback(int handle, DecoCallback callback, int step) {
  return with(handle, [&](auto& d) { return d.setCallback(callback, step); });
}

DECO_EXPORT int DecompressToBuffer(int handle, void* pixels, int x, int y, int width, int height,
                                   int stride) {
  if (x || y || width || height) return DECO_BAD_ARGUMENT;
  return with(handle, [&](auto& d) { return d.decompress(pixels, stride); });
}

DECO_EXPORT int ClearFTTBuffer(int handle) {
  return with(handle, [](auto&) { return int(DECO_OK); });
}

DECO_EXPORT int SetFTTBuffer(int, const void*, int) { return DECO_NOT_SUPPORTED; }
DECO_EXPORT int GetFIFFTTFileName(int, char*, int) { return DECO_NOT_SUPPORTED; }
DECO_EXPORT int SetProgressiveFIFBuffer(int, const void*, int) { return DECO_NOT_SUPPORTED; }
DECO_EXPORT int SetProgressiveStep(int, int) { return DECO_NOT_SUPPORTED; }
DECO_EXPORT int StartProgressiveDecompression(int) { return DECO_NOT_SUPPORTED; }
DECO_EXPORT int ProgressiveDecompress(int) { return DECO_NOT_SUPPORTED; }
DECO_EXPORT int EndProgressiveDecompression(int) { return DECO_NOT_SUPPORTED; }
