#pragma once

#include <QString>

// The fractal decompression library, loaded at run time: its entry points,
// found by name, and the count of decode sessions that keep it loaded.
namespace deco_library {

using Callback = int (*)(int handle, int percent);

struct Entries {
  int (*GetDecoVersion)(int*, int*) = nullptr;
  int (*ClearFIFBuffer)(int) = nullptr;
  int (*ClearFTTBuffer)(int) = nullptr;
  int (*CloseDecompressor)(int) = nullptr;
  int (*DecompressToBuffer)(int, void*, int, int, int, int, int) = nullptr;
  int (*GetFastResolution)(int, int*, int*) = nullptr;
  int (*GetFIFColorTable)(int, void*) = nullptr;
  int (*GetOriginalResolution)(int, int*, int*, int*) = nullptr;
  int (*GetOutputColorTable)(int, void*) = nullptr;
  int (*OpenDecompressor)(int*) = nullptr;
  int (*SetColorTableFormat)(int, int, int, int, int) = nullptr;
  int (*SetDecompressCallback)(int, Callback, int) = nullptr;
  int (*SetFIFBuffer)(int, const void*, int) = nullptr;
  int (*SetOutputColorTable)(int, const void*, const unsigned char*, int) = nullptr;
  int (*SetOutputFormat)(int, int, int, int, int, int) = nullptr;
  int (*SetOutputResolution)(int, int, int) = nullptr;
};

// The name the library goes by; looked for beside the program first.
QString defaultName();

// Succeeds at once when a library is held. An empty name is the default.
// Refuses a library without "GetDecoVersion" or older than 6.0: with
// `raise` by throwing EFIFError, otherwise by returning false.
bool LoadDecoLibrary(const QString& name, bool raise);
// Lets the library go unless a decode session is alive; it is forgotten
// either way.
void ReleaseDecoLibrary();
bool Loaded();

// The entry points of the held library (null where it has none).
const Entries& entries();

// Sessions alive; the library is not unloaded under them.
void countSession(int change);

// Throws "Invalid FIF operation: %d" for a non-zero status.
void check(int status);

[[noreturn]] void missing(const char* name);

// Calls an entry point, refusing one the library does not have.
#define DECO_CALL(name, ...)                                                \
  (deco_library::entries().name ? deco_library::entries().name(__VA_ARGS__) \
                                : (deco_library::missing(#name), 0))

}  // namespace deco_library
