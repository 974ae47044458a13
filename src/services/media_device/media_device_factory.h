#pragma once

#include <QString>
#include <QStringList>
#include <memory>

#include "services/media_device/disc_toc.h"
#include "services/media_device/media_device.h"

enum class DeviceType { CdAudio, AutoSelect };

// Makes the program's devices and answers the questions about CD drives that
// go with them. The program holds one for its whole run; a CD drive left
// playing when it is destroyed goes on playing after the program has ended.
class MediaDeviceFactory {
 public:
  virtual ~MediaDeviceFactory() = default;

  virtual std::unique_ptr<MediaDevice> create(DeviceType type) = 0;

  // Entries "<device> [CD Drive]", physical drives first, then the virtual one.
  virtual QStringList cdDriveList() = 0;
  // "Audio CD" for a disc of audio tracks only, the volume id of its data
  // track otherwise; empty when the drive has no disc.
  virtual QString volumeLabel(const QString& device) = 0;
  // Why the drive's disc (a broken image) cannot be played, naming the image
  // and the reason; empty when it can, or when the drive is simply empty.
  virtual QString discProblem(const QString& device) = 0;
  // The table of contents of the disc last read in the drive, with its CD-Text.
  virtual DiscToc disc(const QString& device) = 0;
};

// The device name of a drive list entry: the text before " [CD Drive]".
QString cdDriveName(const QString& entry);
QString cdDriveEntry(const QString& device);

// Where sound goes. The program uses the system's output (or a silent one in
// real time when the machine has none); tests and the bench can capture it:
// raw 16-bit little-endian stereo at 44.1 kHz, appended to a file, in real time.
struct AudioOutput {
  QString captureFile;  // empty: the system's output
};

struct SystemDeviceOptions {
  AudioOutput output;
  QString settingsFile;  // empty: the program's settings file
  QString demoDisc;  // empty: the demo disc among the program's data
  QString helperDirectory;  // empty: the program's directory
  QString soundFont;  // empty: the General MIDI sound font installed with the program
  bool physicalDrives = true;
};

std::unique_ptr<MediaDeviceFactory> makeSystemMediaDeviceFactory(SystemDeviceOptions options = {});
