// Bitmap files, the packed bitmaps inside metafiles, and icons.
#include <QByteArrayView>

#include "fuzz_main.h"
#include "services/picture/dib.h"
#include "services/picture/icon.h"
#include "services/picture/picture_error.h"

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  startApplication();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const QByteArrayView bytes(data, qsizetype(size));
  try {
    writeBmpFile(readBmpFile(bytes));
  } catch (const PictureError&) {
  }
  try {
    readPackedDib(bytes);
  } catch (const PictureError&) {
  }
  try {
    readIconFile(bytes, 32, 32);
  } catch (const PictureError&) {
  }
  return 0;
}
