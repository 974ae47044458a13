#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

#include "services/media_device/disc_toc.h"

// A cue sheet as written, before any file it names is looked at.
struct CueFile {
  enum class Kind { LittleEndian, BigEndian, Wave };
  QString name;  // as the sheet gives it, relative to the sheet's folder
  Kind kind = Kind::LittleEndian;
};

struct CueTrack {
  int file = 0;  // into CueSheet::files
  bool audio = true;
  int blockSize = kBytesPerFrame;  // bytes of one frame in its file
  int index1 = 0;  // frame in its file where the track is heard
  int pregap = 0;  // frames of silence the file does not hold
  CdText text;
};

struct CueSheet {
  std::vector<CueFile> files;
  std::vector<CueTrack> tracks;
  CdText text;
};

// Reads a sheet's text (any line ends, with or without a last one). Throws
// MediaDeviceError saying what is wrong with it.
CueSheet parseCueSheet(const QByteArray& text);
