#pragma once

#include <QByteArray>
#include <QImage>

// A JPEG file of the image through libjpeg's compressor.
QByteArray encodeJpeg(const QImage& image, int quality, bool progressive = false,
                      bool grey = false);
