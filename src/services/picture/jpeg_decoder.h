#pragma once

#include <QByteArrayView>
#include <QImage>

// Decodes a JPEG file with libjpeg at its defaults: full size, accurate
// decoding, 24-bit colour; or, with `palette`, 8-bit colour quantized by the
// library into an indexed image. Pictures in printing inks (CMYK, YCCK) are
// shown in light; a file cut short is shown with its missing rows grey; the
// picture stands as its Exif orientation says. Library errors and hostile
// files (huge sizes, endless scans) raise InvalidGraphic.
QImage decodeJpeg(QByteArrayView bytes, bool palette);
