#pragma once

#include <QByteArray>
#include <QImage>
#include <memory>
#include <optional>

#include "services/picture/graphic.h"

// The bytes of a fractal image file, shared by the pictures assigned from one
// another, and its stored size once read.
class TFIFData : public SharedImage {
 public:
  explicit TFIFData(QByteArray bytes) : Bytes(std::move(bytes)) {}

  const QByteArray Bytes;
  int OriginalWidth = 0;
  int OriginalHeight = 0;
  int ColourCount = 0;  // entries of the file's own colour table
  bool OriginalRead = false;
};

// A fractal image: it keeps the file's bytes and decodes them through the
// decompression library when it is first drawn, at the size asked for (its
// own size when none was asked for).
class TFIFImage : public Graphic {
 public:
  // How decoded pixels are kept: 8-bit palette, 15-bit or 24-bit colour.
  enum class OutputMode { Palette8 = 0, Colours15 = 1, Colours24 = 2 };

  // The mode follows the screen's colour depth.
  TFIFImage();
  explicit TFIFImage(OutputMode mode);

  QString ClassName() const override { return QStringLiteral("FIF Image"); }
  void LoadFromStream(QIODevice& stream) override;
  void SaveToStream(QIODevice& stream) const override;
  void Draw(QPainter& painter, const QRect& rect) override;
  bool Empty() const override { return !data_; }
  int Width() const override;
  int Height() const override;
  void setWidth(int width) override;
  void setHeight(int height) override;
  QVector<QRgb> Palette() const override;
  void Assign(Graphic* source) override;
  QImage ToImage() override;
  QImage ToImagePart(const QRect& part) override;
  void SaveToClipboardFormat(QMimeData& data) override;

  // The stored size; 0 when there is no picture.
  int OriginalWidth();
  int OriginalHeight();

  // The bytes inside a stored window layout: a 32-bit little-endian count,
  // then the bytes.
  void WriteData(QIODevice& stream) const;
  void ReadData(QIODevice& stream);

  OutputMode outputMode() const { return mode_; }
  // The decoded picture, decoding it when needed.
  const QImage& Bitmap();

 private:
  void dropBitmap();
  void replaceData(QByteArray bytes);
  void readOriginal();
  void decode(QImage& bitmap);
  void decodeColourTable(int handle);
  void readOutputPalette(int handle, QImage& bitmap);
  void report(ProgressStage stage, int percent);
  static int libraryProgress(int handle, int percent);

  std::shared_ptr<TFIFData> data_;
  std::optional<QImage> bitmap_;
  int requestedWidth_ = 0;
  int requestedHeight_ = 0;
  OutputMode mode_;
};
