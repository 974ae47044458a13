#pragma once

#include <QByteArrayView>
#include <QRect>
#include <QRectF>
#include <QSize>

class QPainter;

// What an enhanced metafile's header says about its size.
struct EmfHeader {
  QRectF bounds;  // in pixels of the reference device
  QRectF frame;  // in 0.01 mm
  QSize device;  // the reference device in pixels ...
  QSize millimeters;  // ... and in millimetres
  int handles = 0;  // size of the object table
  qint64 size = 0;  // bytes of the metafile
  QRectF frameInDevicePixels() const;
};

// Reads the header and checks the record chain: every record at least 8
// bytes long, a multiple of 4, inside the file, the last one the end record.
EmfHeader readEmfHeader(QByteArrayView bytes);

// Plays the records so the picture frame fills `target`. Strict play raises
// InvalidGraphic on a damaged record; otherwise damaged records are skipped,
// so drawing never fails.
void playEmf(QByteArrayView bytes, QPainter& painter, const QRectF& target, bool strict);
