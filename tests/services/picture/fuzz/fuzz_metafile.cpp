// Windows or enhanced metafiles, by whichever player the bytes reach.
#include <QBuffer>

#include "fuzz_main.h"
#include "services/picture/metafile.h"
#include "services/picture/picture_error.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  startApplication();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
#ifdef FUZZ_ENHANCED
  // Keep the enhanced signature, so the fuzzer spends its time in the player.
  if (bytes.size() < 88) return 0;
  bytes.replace(0, 4, QByteArray("\1\0\0\0", 4)).replace(40, 4, " EMF");
#endif
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::ReadOnly);
  Metafile metafile;
  try {
    metafile.LoadFromStream(buffer);
  } catch (const PictureError&) {
    return 0;
  }
  drawTwice(metafile);
  return 0;
}
