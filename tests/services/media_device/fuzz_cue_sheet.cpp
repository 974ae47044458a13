// Feeds arbitrary text to the cue sheet reader: a broken sheet must end in
// the reader's own error, never a crash or a runaway allocation.
#include "services/media_device/cue_sheet.h"
#include "services/media_device/media_device.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  try {
    parseCueSheet(QByteArray(reinterpret_cast<const char*>(data), qsizetype(size)));
  } catch (const MediaDeviceError&) {
  }
  return 0;
}
