#pragma once

#include <memory>
#include <optional>

#include "services/picture/graphic.h"
#include "services/picture/wmf_player.h"

class MetafileData : public SharedImage {
 public:
  MetafileData(QByteArray bytes, std::optional<Wmf> wmf)
      : bytes(std::move(bytes)), wmf(std::move(wmf)) {}
  const QByteArray bytes;  // the file as read, written back unchanged
  const std::optional<Wmf> wmf;  // the checked Windows metafile; none for enhanced ones
};

// A Windows metafile, plain, placeable or enhanced. It is drawn as vectors at
// whatever size is asked for, so stretching and printing stay sharp.
class Metafile : public Graphic {
 public:
  QString ClassName() const override { return QStringLiteral("Metafile"); }
  void LoadFromStream(QIODevice& stream) override;
  void SaveToStream(QIODevice& stream) const override;
  void Draw(QPainter& painter, const QRect& rect) override;
  bool Empty() const override { return !data_; }
  int Width() const override { return width_; }
  int Height() const override { return height_; }
  // The size it is drawn at when drawn at its own size.
  void setWidth(int width) override;
  void setHeight(int height) override;
  void Assign(Graphic* source) override;
  // Only the pixels asked for are made; a large frame needs none of its own.
  QImage ToImage() override;
  QImage ToImagePart(const QRect& part) override;
  // Pixels for image consumers, and the metafile's own bytes beside them.
  void SaveToClipboardFormat(QMimeData& data) override;

  bool Enhanced() const { return data_ && !data_->wmf; }

 private:
  std::shared_ptr<const MetafileData> data_;
  int width_ = 0;
  int height_ = 0;
};
