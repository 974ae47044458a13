#include "windows/clipboard_viewer/clipboard_contents.h"

#include <QLocale>
#include <QMimeData>

namespace {

struct MetafileFormat {
  const char* mimeType;
  const char* description;
};

// Registered names first; the x- names are what older programs offer.
const MetafileFormat MetafileFormats[] = {
    {"image/emf", "Enhanced metafile"},
    {"image/x-emf", "Enhanced metafile"},
    {"image/wmf", "Windows metafile"},
    {"image/x-wmf", "Windows metafile"},
};

void readMetafile(const QMimeData& data, ClipboardContents& contents) {
  for (const MetafileFormat& format : MetafileFormats) {
    if (!contents.formats.contains(format.mimeType)) continue;
    contents.metafileType = format.description;
    contents.metafileBytes = data.data(format.mimeType).size();
    return;
  }
}

}  // namespace

ClipboardContents ReadClipboard(const QMimeData* data) {
  ClipboardContents contents;
  if (!data) return contents;
  contents.formats = data->formats();
  if (data->hasImage()) contents.picture = qvariant_cast<QImage>(data->imageData());
  if (data->hasText()) contents.text = data->text();
  readMetafile(*data, contents);
  return contents;
}

QString MetafileLine(const ClipboardContents& contents) {
  if (contents.metafileType.isEmpty()) return {};
  return QString("%1, %2 bytes")
      .arg(contents.metafileType, QLocale(QLocale::English).toString(contents.metafileBytes));
}
