#pragma once

#include <QImage>
#include <QWidget>
#include <memory>

class Graphic;
class QPainter;

// Image1: holds one picture and stretches it to its own bounds, whatever the
// picture's shape. A picture too big to show is kept as its cut top-left part.
class PictureArea : public QWidget {
  Q_OBJECT
 public:
  // Largest width or height shown whole.
  static constexpr int MaxSide = 2000;

  explicit PictureArea(QWidget* parent);
  ~PictureArea() override;

  // Loads the file into a picture of the class its extension names; throws
  // PictureError (or a file error) when it cannot be shown.
  void load(const QString& path);
  bool tooBig() const;
  // Keeps only the top-left part, at most MaxSide each way.
  void cut();
  // The picture's size as shown: the cut size once cut.
  QSize pictureSize() const;
  const QImage& cutImage() const { return cut_; }

  // ---- Printing and the clipboard ----
  // The picture (or its cut part) stretched into the rectangle.
  void drawPicture(QPainter& painter, const QRect& rect);
  // Empties the clipboard and puts the picture (or its cut part) on it.
  void copyToClipboard();

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  static QSize storedSize(Graphic& picture);

  std::unique_ptr<Graphic> picture_;
  QSize size_{0, 0};
  QImage cut_;
};
