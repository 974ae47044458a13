#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

class QMimeData;

// What the clipboard offers, read without taking it over: a picture, text, or
// a metafile known only by its bytes, and the names of every format offered.
struct ClipboardContents {
  QImage picture;
  QString text;
  QString metafileType;  // empty when no metafile is offered
  qsizetype metafileBytes = 0;
  QStringList formats;
};

ClipboardContents ReadClipboard(const QMimeData* data);

// One line about a metafile offered: its type and its size in bytes.
QString MetafileLine(const ClipboardContents& contents);
