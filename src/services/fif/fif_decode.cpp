// Decoding a fractal image into its bitmap through the library.
#include <QScopeGuard>
#include <cstring>

#include "services/fif/deco_library.h"
#include "services/fif/fif_decode_session.h"
#include "services/fif/fif_image.h"
#include "services/picture/picture_limits.h"

namespace {

using deco_library::check;

constexpr int kDefaultSide = 100;
constexpr int kNoColourTable = -63;
constexpr int kNoMemory = -7;
// Each try at a picture too large to render shrinks its sides this much.
constexpr double kShrinkStep = 0.85;
constexpr int kTableEntries = 256;
constexpr unsigned char kFreeEntry = 2;

// The picture whose decode is running on this thread; the library's progress
// callback carries no picture of its own.
thread_local TFIFImage* currentPicture = nullptr;

struct ModeLayout {
  QImage::Format format;
  int values[3];
};

// The pixel format of the bitmap and what the library is told to write.
ModeLayout layoutOf(TFIFImage::OutputMode mode) {
  switch (mode) {
    case TFIFImage::OutputMode::Palette8:
      return {QImage::Format_Indexed8, {10, 4, 4}};
    case TFIFImage::OutputMode::Colours15:
      return {QImage::Format_RGB555, {20, 21, 22}};
    case TFIFImage::OutputMode::Colours24:
      break;
  }
  return {QImage::Format_BGR888, {3, 2, 1}};
}

// A bitmap that shows white until the library has written it, so a failed
// decode never shows whatever the memory held.
QImage blankBitmap(int width, int height, TFIFImage::OutputMode mode) {
  QImage bitmap(width, height, layoutOf(mode).format);
  if (mode == TFIFImage::OutputMode::Palette8) {
    bitmap.setColorTable(QVector<QRgb>(kTableEntries, qRgb(255, 255, 255)));
    bitmap.fill(0);
  } else {
    bitmap.fill(Qt::white);
  }
  return bitmap;
}

// A picture beyond the library's memory budget at its own size is rendered as
// large as the budget allows instead, and stretched when drawn. The library
// weighs a render against its budget before it reads the blocks or looks at
// the pixels, so asking with none costs nothing.
QSize sizeWithinBudget(int handle, QSize size) {
  while (true) {
    check(DECO_CALL(SetOutputResolution, handle, size.width(), size.height()));
    const QSize smaller = size * kShrinkStep;
    if (DECO_CALL(DecompressToBuffer, handle, nullptr, 0, 0, 0, 0, 0) != kNoMemory ||
        smaller.isEmpty())
      return size;
    size = smaller;
  }
}

}  // namespace

const QImage& TFIFImage::Bitmap() {
  if (bitmap_) return *bitmap_;
  if (!data_) {
    bitmap_ = requestedWidth_ > 0 && requestedHeight_ > 0
                  ? blankBitmap(requestedWidth_, requestedHeight_, mode_)
                  : QImage();
  } else {
    bitmap_ = QImage();
    decode(*bitmap_);
  }
  Graphic::Changed();
  return *bitmap_;
}

void TFIFImage::decode(QImage& bitmap) {
  TFIFDecodeSession session;
  const int handle = session.Handle();
  currentPicture = this;
  const bool reporting = HasProgressHandler();
  const auto cleanup = qScopeGuard([&] {
    if (reporting) report(ProgressStage::Ending, 100);
    if (const auto clear = deco_library::entries().ClearFIFBuffer) clear(handle);
    currentPicture = nullptr;
  });
  if (reporting) {
    check(DECO_CALL(SetDecompressCallback, handle, &TFIFImage::libraryProgress, 1));
    report(ProgressStage::Starting, 0);
  }
  check(DECO_CALL(SetFIFBuffer, handle, data_->Bytes.constData(), int(data_->Bytes.size())));

  // Qt keeps rows top down, each padded to four bytes.
  const ModeLayout layout = layoutOf(mode_);
  const int* values = layout.values;
  check(DECO_CALL(SetOutputFormat, handle, values[0], values[1], values[2], 4, 0));
  if (mode_ == OutputMode::Palette8) decodeColourTable(handle);

  const bool ownSize = requestedWidth_ == 0 && requestedHeight_ == 0;
  QSize size(requestedWidth_, requestedHeight_);
  if (ownSize) size = QSize(OriginalWidth(), OriginalHeight());
  if (size.isEmpty() && ownSize) size = QSize(kDefaultSide, kDefaultSide);
  if (ownSize) size = sizeWithinBudget(handle, size);
  check(DECO_CALL(SetOutputResolution, handle, size.width(), size.height()));
  picture_limits::checkSize(size.width(), size.height());
  bitmap = blankBitmap(size.width(), size.height(), mode_);
  check(
      DECO_CALL(DecompressToBuffer, handle, bitmap.bits(), 0, 0, 0, 0, int(bitmap.bytesPerLine())));
  if (mode_ == OutputMode::Palette8) readOutputPalette(handle, bitmap);
}

// The part of the stored size, from a bitmap that may have been rendered
// smaller than it (see decode).
QImage TFIFImage::ToImagePart(const QRect& part) {
  const QImage& bitmap = Bitmap();
  const QSize stored(OriginalWidth(), OriginalHeight());
  if (requestedWidth_ != 0 || requestedHeight_ != 0 || bitmap.size() == stored)
    return bitmap.copy(part);
  const double x = double(bitmap.width()) / stored.width();
  const double y = double(bitmap.height()) / stored.height();
  const QRect source =
      QRectF(part.x() * x, part.y() * y, part.width() * x, part.height() * y).toAlignedRect();
  return bitmap.copy(source).scaled(part.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

void TFIFImage::decodeColourTable(int handle) {
  check(DECO_CALL(SetColorTableFormat, handle, 1, 2, 3, 5));
  readOriginal();
  unsigned char table[kTableEntries * 4] = {};
  const int status = DECO_CALL(GetFIFColorTable, handle, table);
  if (status != kNoColourTable) check(status);
  const int count = data_->ColourCount;
  if (status == 0 && count >= 1 && count <= kTableEntries) {
    check(DECO_CALL(SetOutputColorTable, handle, table, nullptr, count));
    return;
  }
  unsigned char everyEntryFree[kTableEntries];
  std::memset(everyEntryFree, kFreeEntry, sizeof everyEntryFree);
  check(DECO_CALL(SetOutputColorTable, handle, nullptr, everyEntryFree, kTableEntries));
}

void TFIFImage::readOutputPalette(int handle, QImage& bitmap) {
  unsigned char table[kTableEntries * 4] = {};
  check(DECO_CALL(GetOutputColorTable, handle, table));
  QVector<QRgb> palette(kTableEntries);
  for (int i = 0; i < kTableEntries; ++i)
    palette[i] = qRgb(table[4 * i], table[4 * i + 1], table[4 * i + 2]);
  bitmap.setColorTable(palette);
  setPaletteModified(true);
}

void TFIFImage::report(ProgressStage stage, int percent) { Progress(stage, percent); }

int TFIFImage::libraryProgress(int, int percent) {
  if (currentPicture) currentPicture->report(ProgressStage::Running, percent);
  return 0;
}
