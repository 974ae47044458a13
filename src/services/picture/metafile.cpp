#include "services/picture/metafile.h"

#include <QIODevice>
#include <QImage>
#include <QMimeData>
#include <QPainter>

#include "services/picture/emf_player.h"
#include "services/picture/picture_error.h"
#include "services/picture/picture_limits.h"

namespace {

constexpr double kScreenPixelsPerInch = 96;
constexpr double kHundredthsOfMmPerInch = 2540;

bool isEnhanced(QByteArrayView bytes) {
  return bytes.size() >= 44 && bytes.first(4) == QByteArrayView("\1\0\0\0", 4) &&
         bytes.sliced(40, 4) == QByteArrayView(" EMF");
}

// Plays every record once, strictly, so a damaged one is found now and not
// while drawing.
QSizeF readEnhanced(QByteArrayView bytes) {
  const EmfHeader header = readEmfHeader(bytes);
  QImage probe(1, 1, QImage::Format_RGB32);
  QPainter painter(&probe);
  playEmf(bytes, painter, probe.rect(), true);
  return QSizeF(header.frame.size()) * kScreenPixelsPerInch / kHundredthsOfMmPerInch;
}

}  // namespace

void Metafile::LoadFromStream(QIODevice& stream) {
  QByteArray bytes = stream.readAll();
  std::optional<Wmf> wmf;
  QSizeF pixels;
  if (isEnhanced(bytes)) {
    pixels = readEnhanced(bytes);
  } else {
    wmf = readWmf(bytes);
    pixels = wmf->pixels;
  }
  // Vectors: it is drawn at the size shown, so its own size needs no pixels.
  const qint64 width = std::max<qint64>(1, qRound64(pixels.width()));
  const qint64 height = std::max<qint64>(1, qRound64(pixels.height()));
  picture_limits::checkSides(width, height);
  data_ = std::make_shared<MetafileData>(std::move(bytes), std::move(wmf));
  width_ = int(width);
  height_ = int(height);
  Changed();
}

void Metafile::SaveToStream(QIODevice& stream) const {
  writeStored(stream, data_ ? &data_->bytes : nullptr);
}

void Metafile::Draw(QPainter& painter, const QRect& rect) {
  if (!data_) return;
  if (data_->wmf)
    playWmf(*data_->wmf, painter, rect);
  else
    playEmf(data_->bytes, painter, rect, false);
}

QImage Metafile::ToImage() { return ToImagePart(QRect(0, 0, width_, height_)); }

QImage Metafile::ToImagePart(const QRect& part) {
  if (Empty()) return {};
  const QRect shown = part & QRect(0, 0, width_, height_);
  if (shown.isEmpty()) return {};
  picture_limits::checkSize(shown.width(), shown.height());
  QImage image(shown.size(), QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  painter.translate(-shown.topLeft());
  Draw(painter, QRect(0, 0, width_, height_));
  return image;
}

void Metafile::setWidth(int width) {
  if (width == width_) return;
  width_ = width;
  Changed();
}

void Metafile::setHeight(int height) {
  if (height == height_) return;
  height_ = height;
  Changed();
}

void Metafile::Assign(Graphic* source) {
  const auto* metafile = dynamic_cast<Metafile*>(source);
  if (source && !metafile) refuseAssignment(*source);
  data_ = metafile ? metafile->data_ : nullptr;
  width_ = metafile ? metafile->width_ : 0;
  height_ = metafile ? metafile->height_ : 0;
  Changed();
}

// The bytes go under the registered type and under the older x- name that
// programs still ask for.
void Metafile::SaveToClipboardFormat(QMimeData& data) {
  Graphic::SaveToClipboardFormat(data);
  if (!data_) return;
  const QString type = Enhanced() ? "emf" : "wmf";
  data.setData("image/" + type, data_->bytes);
  data.setData("image/x-" + type, data_->bytes);
}
