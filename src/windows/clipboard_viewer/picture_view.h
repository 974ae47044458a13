#pragma once

#include <QImage>
#include <QWidget>

// A picture scaled down to fit the view, keeping its proportions, or at its
// real size (the view then asks for the picture's whole size, to be scrolled).
class PictureView : public QWidget {
  Q_OBJECT
 public:
  explicit PictureView(QWidget* parent = nullptr);

  void setPicture(const QImage& picture);
  void setRealSize(bool realSize);
  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QRect pictureRect() const;

  QImage picture_;
  bool realSize_ = false;
};
