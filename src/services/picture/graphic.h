#pragma once

#include <QImage>
#include <QRect>
#include <QString>
#include <QVector>
#include <functional>

class QIODevice;
class QMimeData;
class QPainter;

// Image data that several pictures share after an assignment; it lives as
// long as the last picture holding it (held through std::shared_ptr).
class SharedImage {
 public:
  SharedImage(const SharedImage&) = delete;
  SharedImage& operator=(const SharedImage&) = delete;
  virtual ~SharedImage() = default;

 protected:
  SharedImage() = default;
};

enum class ProgressStage { Starting, Running, Ending };

// The picture abstraction every format implements: it reads and writes its
// own file format, reports its size in pixels and draws itself stretched
// into any rectangle. Failures are PictureError exceptions.
class Graphic {
 public:
  using ChangeHandler = std::function<void(Graphic&)>;
  using ProgressHandler = std::function<void(Graphic&, ProgressStage, int percent)>;

  Graphic(const Graphic&) = delete;
  Graphic& operator=(const Graphic&) = delete;
  virtual ~Graphic() = default;

  // The class name used in messages ("Cannot assign a Bitmap to an Icon").
  virtual QString ClassName() const = 0;

  // Reads everything from the stream's position to its end.
  virtual void LoadFromStream(QIODevice& stream) = 0;
  virtual void SaveToStream(QIODevice& stream) const = 0;
  void LoadFromFile(const QString& path);
  void SaveToFile(const QString& path) const;

  virtual void Draw(QPainter& painter, const QRect& rect) = 0;
  virtual bool Empty() const = 0;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  virtual void setWidth(int width);
  virtual void setHeight(int height);
  // The colour table of a palette-based picture; empty when it has none.
  virtual QVector<QRgb> Palette() const { return {}; }
  bool PaletteModified() const { return paletteModified_; }
  void setPaletteModified(bool modified) { paletteModified_ = modified; }

  // A null source empties the picture; pictures of the same class share their
  // data; anything else is refused.
  virtual void Assign(Graphic* source);

  // The picture as pixels at its own size (white where nothing is drawn), for
  // the clipboard and for cutting pictures that cannot be cut in place.
  virtual QImage ToImage();
  // Pixels of one part of the picture at its own size: what a picture too big
  // to show whole needs, without the pixels of the whole.
  virtual QImage ToImagePart(const QRect& part);
  virtual void SaveToClipboardFormat(QMimeData& data);

  // Pictures that honour it leave their background colour undrawn.
  bool Transparent() const { return transparent_; }
  void setTransparent(bool transparent);

  void setOnChange(ChangeHandler handler) { onChange_ = std::move(handler); }
  void setOnProgress(ProgressHandler handler) { onProgress_ = std::move(handler); }
  bool HasProgressHandler() const { return bool(onProgress_); }

 protected:
  Graphic() = default;

  virtual void Changed();
  void Progress(ProgressStage stage, int percent);
  // Writes the picture's bytes; with none, there is no picture to write.
  void writeStored(QIODevice& stream, const QByteArray* bytes) const;
  [[noreturn]] void refuseResize() const;
  [[noreturn]] void refuseAssignment(const Graphic& source) const;

 private:
  ChangeHandler onChange_;
  ProgressHandler onProgress_;
  bool transparent_ = false;
  bool paletteModified_ = false;
};
