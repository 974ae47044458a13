#pragma once

#include <QByteArray>
#include <QImage>

// How the colour is stored: at full resolution with the standard tables, so
// sharp colour edges survive within a test's tolerance, or as people usually
// make JPEGs: colour at half resolution both ways, tables fitted to the picture.
enum class JpegStyle { FullColour, Usual };

// A JPEG file of the image through libjpeg's compressor.
QByteArray encodeJpeg(const QImage& image, int quality, bool progressive = false, bool grey = false,
                      JpegStyle style = JpegStyle::FullColour);

// The image in printing inks, stored inverted as Adobe's programs store them,
// as plain CMYK or as YCCK.
QByteArray encodeInksJpeg(const QImage& image, bool ycck);
