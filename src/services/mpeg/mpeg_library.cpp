#include "services/mpeg/mpeg_library.h"

#include <dlfcn.h>

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>

#include "services/mpeg/mpeg_error.h"

namespace {

void* openLibrary(const QString& fileName) {
  if (!fileName.contains('/')) {
    const QString beside = QCoreApplication::applicationDirPath() + '/' + fileName;
    if (QFileInfo::exists(beside))
      if (void* handle = dlopen(QFile::encodeName(beside).constData(), RTLD_NOW | RTLD_LOCAL))
        return handle;
  }
  return dlopen(QFile::encodeName(fileName).constData(), RTLD_NOW | RTLD_LOCAL);
}

template <typename Function>
bool resolve(void* handle, const char* name, Function& entry) {
  entry = reinterpret_cast<Function>(dlsym(handle, name));
  return entry != nullptr;
}

bool resolveAll(void* handle, MpegLibrary::Exports& e) {
  return resolve(handle, "init", e.init) && resolve(handle, "deinit", e.deinit) &&
         resolve(handle, "Open", e.Open) && resolve(handle, "Pause", e.Pause) &&
         resolve(handle, "Restart", e.Restart) && resolve(handle, "Stop", e.Stop) &&
         resolve(handle, "SetPriority", e.SetPriority) &&
         resolve(handle, "SetOutputDevice", e.SetOutputDevice) && resolve(handle, "Play", e.Play) &&
         resolve(handle, "Close", e.Close) && resolve(handle, "GetFrequency", e.GetFrequency) &&
         resolve(handle, "GetBitrate", e.GetBitrate) &&
         resolve(handle, "GetStereoMode", e.GetStereoMode) &&
         resolve(handle, "GetLayer", e.GetLayer) &&
         resolve(handle, "GetPlayerMode", e.GetPlayerMode) &&
         resolve(handle, "GetCurrentPos", e.GetCurrentPos) &&
         resolve(handle, "GetLength", e.GetLength) &&
         resolve(handle, "ResetPlayerMode", e.ResetPlayerMode) && resolve(handle, "Seek", e.Seek) &&
         resolve(handle, "SetSndDevice", e.SetSndDevice) &&
         resolve(handle, "LastError", e.LastError);
}

}  // namespace

MpegLibrary::MpegLibrary(const QString& fileName) : handle_(openLibrary(fileName)) {
  if (!handle_) throw TMPEGError("Can't load MPEG library", 0);
  if (!resolveAll(handle_, exports_)) {
    dlclose(handle_);
    throw TMPEGError::fromCode(0);
  }
  resolve(handle_, "SetVolume", exports_.SetVolume);
}

MpegLibrary::~MpegLibrary() { dlclose(handle_); }
