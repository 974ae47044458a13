#include "services/picture/graphic_formats.h"

#include <QFileInfo>

#include "services/picture/bitmap.h"
#include "services/picture/icon.h"
#include "services/picture/jpeg_image.h"
#include "services/picture/metafile.h"
#include "services/picture/picture_error.h"

namespace {

template <class T>
GraphicFormats::Factory make() {
  return [] { return std::make_unique<T>(); };
}

}  // namespace

GraphicFormats::GraphicFormats() {
  Add("bmp", "Bitmaps", make<Bitmap>());
  Add("ico", "Icons", make<Icon>());
  Add("wmf", "Metafiles", make<Metafile>());
  Add("emf", "Enhanced Metafiles", make<Metafile>());
  Add("jpg", "JPEG Image File", make<JpegImage>());
  Add("jpeg", "JPEG Image File", make<JpegImage>());
}

GraphicFormats& GraphicFormats::Standard() {
  static GraphicFormats table;
  return table;
}

void GraphicFormats::Add(const QString& extension, const QString& description, Factory make) {
  formats_[extension.toLower()] = Format{description, std::move(make)};
}

void GraphicFormats::Remove(const QString& extension) { formats_.erase(extension.toLower()); }

bool GraphicFormats::Has(const QString& extension) const {
  return formats_.count(extension.toLower()) != 0;
}

QString GraphicFormats::Description(const QString& extension) const {
  const auto found = formats_.find(extension.toLower());
  return found == formats_.end() ? QString() : found->second.description;
}

QStringList GraphicFormats::Extensions() const {
  QStringList extensions;
  for (const auto& [extension, format] : formats_) extensions << extension;
  return extensions;
}

std::unique_ptr<Graphic> GraphicFormats::Create(const QString& extension) const {
  const auto found = formats_.find(extension.toLower());
  if (found == formats_.end())
    throw InvalidGraphic(QStringLiteral("Unknown picture file extension (.%1)").arg(extension));
  return found->second.make();
}

std::unique_ptr<Graphic> GraphicFormats::LoadFromFile(const QString& path) const {
  auto graphic = Create(QFileInfo(path).suffix());
  graphic->LoadFromFile(path);
  return graphic;
}
