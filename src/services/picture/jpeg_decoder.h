#pragma once

#include <QByteArrayView>
#include <QImage>

// Decodes a JPEG file with libjpeg at its defaults: full size, accurate
// decoding, 24-bit colour; or, with `palette`, 8-bit colour quantized by the
// library into an indexed image. Library errors, truncated files and hostile
// ones (huge sizes, endless scans) raise InvalidGraphic.
QImage decodeJpeg(QByteArrayView bytes, bool palette);
