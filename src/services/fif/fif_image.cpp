#include "services/fif/fif_image.h"

#include <QGuiApplication>
#include <QIODevice>
#include <QMimeData>
#include <QPainter>
#include <QScreen>
#include <QtEndian>

#include "services/fif/deco_library.h"
#include "services/fif/fif_decode_session.h"
#include "services/fif/fif_error.h"
#include "services/picture/picture_error.h"

namespace {

using deco_library::check;

TFIFImage::OutputMode screenMode() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  const int depth = screen ? screen->depth() : 24;
  return depth <= 8    ? TFIFImage::OutputMode::Palette8
         : depth <= 23 ? TFIFImage::OutputMode::Colours15
                       : TFIFImage::OutputMode::Colours24;
}

}  // namespace

TFIFImage::TFIFImage() : TFIFImage(screenMode()) {}

TFIFImage::TFIFImage(OutputMode mode) : mode_(mode) {}

void TFIFImage::replaceData(QByteArray bytes) {
  data_ = bytes.isEmpty() ? nullptr : std::make_shared<TFIFData>(std::move(bytes));
}

void TFIFImage::LoadFromStream(QIODevice& stream) {
  replaceData(stream.readAll());
  dropBitmap();
}

void TFIFImage::SaveToStream(QIODevice& stream) const {
  if (!data_) throw InvalidGraphicOperation(QStringLiteral("No FIF data to write"));
  if (stream.write(data_->Bytes) != data_->Bytes.size())
    throw PictureError(QStringLiteral("Cannot write the FIF data: %1").arg(stream.errorString()));
}

void TFIFImage::WriteData(QIODevice& stream) const {
  const QByteArray bytes = data_ ? data_->Bytes : QByteArray();
  const quint32 count = qToLittleEndian(quint32(bytes.size()));
  if (stream.write(reinterpret_cast<const char*>(&count), 4) != 4 ||
      stream.write(bytes) != bytes.size())
    throw PictureError(QStringLiteral("Cannot write the FIF data: %1").arg(stream.errorString()));
}

void TFIFImage::ReadData(QIODevice& stream) {
  quint32 count = 0;
  if (stream.read(reinterpret_cast<char*>(&count), 4) != 4)
    throw PictureError(QStringLiteral("The stored FIF data is cut short"));
  count = qFromLittleEndian(count);
  // A damaged count must not make us allocate what the stream cannot hold.
  if (!stream.isSequential() && count > stream.bytesAvailable())
    throw PictureError(QStringLiteral("The stored FIF data is cut short"));
  QByteArray bytes = stream.read(count);
  if (bytes.size() != qsizetype(count))
    throw PictureError(QStringLiteral("The stored FIF data is cut short"));
  replaceData(std::move(bytes));
  dropBitmap();
}

// Only a new size or new bytes make a decoded bitmap stale: drawing
// transparently, say, does not.
void TFIFImage::dropBitmap() {
  bitmap_.reset();
  Changed();
}

int TFIFImage::Width() const { return bitmap_ ? bitmap_->width() : requestedWidth_; }

int TFIFImage::Height() const { return bitmap_ ? bitmap_->height() : requestedHeight_; }

void TFIFImage::setWidth(int width) {
  if (width == requestedWidth_) return;
  requestedWidth_ = width;
  dropBitmap();
}

void TFIFImage::setHeight(int height) {
  if (height == requestedHeight_) return;
  requestedHeight_ = height;
  dropBitmap();
}

QVector<QRgb> TFIFImage::Palette() const {
  return bitmap_ ? bitmap_->colorTable() : QVector<QRgb>();
}

void TFIFImage::Assign(Graphic* source) {
  if (!source) {
    data_.reset();
    dropBitmap();
    return;
  }
  auto* other = dynamic_cast<TFIFImage*>(source);
  if (!other) throw InvalidGraphicOperation(QStringLiteral("Cannot assign to TFIFImage"));
  if (other == this) return;
  data_ = other->data_;
  requestedWidth_ = other->requestedWidth_;
  requestedHeight_ = other->requestedHeight_;
  bitmap_.reset();
  if (other->bitmap_) bitmap_ = other->bitmap_->copy();
  Graphic::Changed();
}

void TFIFImage::Draw(QPainter& painter, const QRect& rect) { painter.drawImage(rect, Bitmap()); }

QImage TFIFImage::ToImage() { return Empty() ? QImage() : Bitmap(); }

void TFIFImage::SaveToClipboardFormat(QMimeData& data) { data.setImageData(Bitmap()); }

int TFIFImage::OriginalWidth() {
  if (!data_) return 0;
  readOriginal();
  return data_->OriginalWidth;
}

int TFIFImage::OriginalHeight() {
  if (!data_) return 0;
  readOriginal();
  return data_->OriginalHeight;
}

void TFIFImage::readOriginal() {
  if (data_->OriginalRead) return;
  TFIFDecodeSession session;
  const int handle = session.Handle();
  check(DECO_CALL(SetFIFBuffer, handle, data_->Bytes.constData(), int(data_->Bytes.size())));
  check(DECO_CALL(GetOriginalResolution, handle, &data_->OriginalWidth, &data_->OriginalHeight,
                  &data_->ColourCount));
  data_->OriginalRead = true;
}
