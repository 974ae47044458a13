#include "services/fif/deco_library.h"

#include <dlfcn.h>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <cerrno>
#include <map>
#include <string>

#include "services/fif/fif_error.h"

namespace deco_library {

namespace {

constexpr int kRequiredMajor = 6;
constexpr int kRequiredMinor = 0;

// Every export after "GetDecoVersion", in the order they are looked up.
constexpr const char* kExports[] = {"ClearFIFBuffer",
                                    "ClearFTTBuffer",
                                    "CloseDecompressor",
                                    "DecompressToBuffer",
                                    "EndProgressiveDecompression",
                                    "GetColorTableFormat",
                                    "GetFastResolution",
                                    "GetFIFColorTable",
                                    "GetFIFFTTFileName",
                                    "GetFIFNumColors",
                                    "GetFIFNumSteps",
                                    "GetOriginalResolution",
                                    "GetOutputColorTable",
                                    "GetOutputDither",
                                    "GetOutputFilter",
                                    "GetOutputFormat",
                                    "GetOutputResolution",
                                    "GetPhysicalDimensions",
                                    "OpenDecompressor",
                                    "ProgressiveDecompress",
                                    "SetColorTableFormat",
                                    "SetDecompressCallback",
                                    "SetFIFBuffer",
                                    "SetFTTBuffer",
                                    "SetOutputColorTable",
                                    "SetOutputDither",
                                    "SetOutputFilter",
                                    "SetOutputFormat",
                                    "SetOutputResolution",
                                    "SetProgressiveFIFBuffer",
                                    "SetProgressiveStep",
                                    "StartProgressiveDecompression",
                                    "TestIfFIF"};

struct State {
  void* handle = nullptr;
  std::map<std::string, void*> symbols;
  Entries entries;
  int sessions = 0;
};

State& state() {
  static State s;
  return s;
}

template <class F>
void take(const char* name, F& function) {
  const auto found = state().symbols.find(name);
  function = found == state().symbols.end() ? nullptr : reinterpret_cast<F>(found->second);
}

void bindEntries() {
  Entries& e = state().entries;
  take("ClearFIFBuffer", e.ClearFIFBuffer);
  take("ClearFTTBuffer", e.ClearFTTBuffer);
  take("CloseDecompressor", e.CloseDecompressor);
  take("DecompressToBuffer", e.DecompressToBuffer);
  take("GetFastResolution", e.GetFastResolution);
  take("GetFIFColorTable", e.GetFIFColorTable);
  take("GetOriginalResolution", e.GetOriginalResolution);
  take("GetOutputColorTable", e.GetOutputColorTable);
  take("OpenDecompressor", e.OpenDecompressor);
  take("SetColorTableFormat", e.SetColorTableFormat);
  take("SetDecompressCallback", e.SetDecompressCallback);
  take("SetFIFBuffer", e.SetFIFBuffer);
  take("SetOutputColorTable", e.SetOutputColorTable);
  take("SetOutputFormat", e.SetOutputFormat);
  take("SetOutputResolution", e.SetOutputResolution);
}

// Beside the program first, then wherever the system looks.
void* open(const QString& name) {
  if (!name.contains('/') && QCoreApplication::instance()) {
    const QString beside = QDir(QCoreApplication::applicationDirPath()).filePath(name);
    if (QFileInfo::exists(beside))
      if (void* handle = dlopen(QFile::encodeName(beside).constData(), RTLD_NOW | RTLD_LOCAL))
        return handle;
  }
  return dlopen(QFile::encodeName(name).constData(), RTLD_NOW | RTLD_LOCAL);
}

bool fail(bool raise, const QString& message) {
  if (raise) throw EFIFError(message);
  return false;
}

}  // namespace

QString defaultName() { return QStringLiteral("libdeco32.so"); }

bool LoadDecoLibrary(const QString& requested, bool raise) {
  State& s = state();
  if (s.handle) return true;
  const QString name = requested.isEmpty() ? defaultName() : requested;
  errno = 0;
  void* handle = open(name);
  const int error = errno;
  auto* getVersion =
      handle ? reinterpret_cast<int (*)(int*, int*)>(dlsym(handle, "GetDecoVersion")) : nullptr;
  if (!getVersion) {
    if (handle) dlclose(handle);
    return fail(raise, QStringLiteral("Error loading %1: (%2)").arg(name).arg(error));
  }
  int major = 0, minor = 0;
  getVersion(&major, &minor);
  if (major < kRequiredMajor || (major == kRequiredMajor && minor < kRequiredMinor)) {
    dlclose(handle);
    return fail(raise,
                QStringLiteral(
                    "Wrong DLL version: %1 %2.%3.  This program requires version %4.%5 or later.")
                    .arg(name)
                    .arg(major)
                    .arg(minor)
                    .arg(kRequiredMajor)
                    .arg(kRequiredMinor));
  }
  s.handle = handle;
  s.entries = Entries{};
  s.entries.GetDecoVersion = getVersion;
  s.symbols.clear();
  for (const char* exportName : kExports)
    if (void* symbol = dlsym(handle, exportName)) s.symbols[exportName] = symbol;
  bindEntries();
  return true;
}

void ReleaseDecoLibrary() {
  State& s = state();
  if (!s.handle) return;
  // Live sessions keep using the entry points, so the code stays mapped.
  if (s.sessions == 0) {
    dlclose(s.handle);
    s.symbols.clear();
    s.entries = Entries{};
  }
  s.handle = nullptr;
}

bool Loaded() { return state().handle != nullptr; }

const Entries& entries() { return state().entries; }

void countSession(int change) { state().sessions += change; }

void check(int status) {
  if (status != 0) throw EFIFError(QStringLiteral("Invalid FIF operation: %1").arg(status), status);
}

void missing(const char* name) {
  throw EFIFError(QStringLiteral("The FIF library has no %1").arg(QString::fromLatin1(name)));
}

}  // namespace deco_library
