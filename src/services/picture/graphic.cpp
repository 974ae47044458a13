#include "services/picture/graphic.h"

#include <QFile>
#include <QMimeData>
#include <QPainter>

#include "services/picture/picture_error.h"

namespace {

QString withArticle(const QString& name) {
  const bool vowel = QStringLiteral("AEIOU").contains(name.left(1));
  return (vowel ? QStringLiteral("an ") : QStringLiteral("a ")) + name;
}

}  // namespace

void Graphic::LoadFromFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly))
    throw PictureError(QStringLiteral("Cannot open file %1: %2").arg(path, file.errorString()));
  LoadFromStream(file);
}

void Graphic::SaveToFile(const QString& path) const {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly))
    throw PictureError(QStringLiteral("Cannot create file %1: %2").arg(path, file.errorString()));
  SaveToStream(file);
  if (!file.flush())
    throw PictureError(QStringLiteral("Cannot write file %1: %2").arg(path, file.errorString()));
}

void Graphic::writeStored(QIODevice& stream, const QByteArray* bytes) const {
  if (!bytes) throw InvalidGraphicOperation(QStringLiteral("No %1 to write").arg(ClassName()));
  if (stream.write(*bytes) != bytes->size())
    throw PictureError(
        QStringLiteral("Cannot write the %1: %2").arg(ClassName(), stream.errorString()));
}

void Graphic::setWidth(int) { refuseResize(); }

void Graphic::setHeight(int) { refuseResize(); }

void Graphic::refuseResize() const {
  throw InvalidGraphicOperation(
      QStringLiteral("Cannot change the size of %1").arg(withArticle(ClassName())));
}

void Graphic::Assign(Graphic* source) {
  if (source) refuseAssignment(*source);
}

void Graphic::refuseAssignment(const Graphic& source) const {
  throw InvalidGraphicOperation(
      QStringLiteral("Cannot assign %1 to %2")
          .arg(withArticle(source.ClassName()), withArticle(ClassName())));
}

QImage Graphic::ToImage() {
  if (Empty()) return {};
  QImage image(Width(), Height(), QImage::Format_RGB32);
  image.fill(Qt::white);
  QPainter painter(&image);
  Draw(painter, image.rect());
  return image;
}

QImage Graphic::ToImagePart(const QRect& part) { return ToImage().copy(part); }

void Graphic::SaveToClipboardFormat(QMimeData& data) { data.setImageData(ToImage()); }

void Graphic::setTransparent(bool transparent) {
  if (transparent == transparent_) return;
  transparent_ = transparent;
  Changed();
}

void Graphic::Changed() {
  if (onChange_) onChange_(*this);
}

void Graphic::Progress(ProgressStage stage, int percent) {
  if (onProgress_) onProgress_(*this, stage, percent);
}
