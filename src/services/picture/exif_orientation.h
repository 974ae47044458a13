#pragma once

#include <QByteArrayView>
#include <QImage>

// The orientation tag of a JPEG's Exif block (the APP1 marker's contents):
// 1 to 8 as cameras write it, 1 (as stored) when there is none or it cannot
// be read. A damaged block never refuses the picture.
int exifOrientation(QByteArrayView app1);

// The picture turned and mirrored so it stands as the camera was held.
QImage upright(const QImage& stored, int orientation);
