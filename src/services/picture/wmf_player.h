#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QRectF>
#include <QSizeF>

class QPainter;

// A Windows metafile, plain or with a placeable header, checked and ready to
// be played by the metafile library.
struct Wmf {
  QByteArray bytes;  // the metafile without its placeable header, header sizes made true
  QRectF frame;  // the picture's area in logical units, when its records set no window
  QSizeF pixels;  // its size on a screen of 96 pixels per inch
  bool setsWindow = false;
};

// Walks every record and checks that it lies inside the file and holds what
// its function needs, then lets the library scan the whole picture. Raises
// InvalidGraphic when any of it fails.
Wmf readWmf(QByteArrayView bytes);

// Draws the picture as vectors, the window its records set (else its frame)
// filling `target`. Drawing never
// fails: what the library cannot play is left out.
void playWmf(const Wmf& wmf, QPainter& painter, const QRectF& target);
