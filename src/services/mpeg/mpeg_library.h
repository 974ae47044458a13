#pragma once

#include <QString>
#include <memory>

#include "mpegdll.h"

// The MPEG library loaded at run time, with its 21 entry points and the volume.
class MpegLibrary {
 public:
  struct Exports {
    decltype(&::init) init;
    decltype(&::deinit) deinit;
    decltype(&::Open) Open;
    decltype(&::Pause) Pause;
    decltype(&::Restart) Restart;
    decltype(&::Stop) Stop;
    decltype(&::SetPriority) SetPriority;
    decltype(&::SetOutputDevice) SetOutputDevice;
    decltype(&::Play) Play;
    decltype(&::Close) Close;
    decltype(&::GetFrequency) GetFrequency;
    decltype(&::GetBitrate) GetBitrate;
    decltype(&::GetStereoMode) GetStereoMode;
    decltype(&::GetLayer) GetLayer;
    decltype(&::GetPlayerMode) GetPlayerMode;
    decltype(&::GetCurrentPos) GetCurrentPos;
    decltype(&::GetLength) GetLength;
    decltype(&::ResetPlayerMode) ResetPlayerMode;
    decltype(&::Seek) Seek;
    decltype(&::SetSndDevice) SetSndDevice;
    decltype(&::LastError) LastError;
    // Not among the 21: a library without it loads and plays at its own loudness.
    decltype(&::SetVolume) SetVolume;
  };

  // Loads the file (a bare file name is looked for in the program's directory,
  // then on the system's library path) and looks up every export. Raises
  // "Can't load MPEG library" or, when an export is missing, "MPEG library not loaded".
  explicit MpegLibrary(const QString& fileName);
  ~MpegLibrary();
  MpegLibrary(const MpegLibrary&) = delete;
  MpegLibrary& operator=(const MpegLibrary&) = delete;

  const Exports& exports() const { return exports_; }

 private:
  void* handle_ = nullptr;
  Exports exports_{};
};
