#pragma once

#include <QString>
#include <stdexcept>

// The one base of every picture error, and of the errors of the libraries the
// picture classes wrap. The windows catch it and speak in their own words.
class PictureError : public std::runtime_error {
 public:
  explicit PictureError(const QString& message)
      : std::runtime_error(message.toStdString()), message_(message) {}
  const QString& message() const { return message_; }

 private:
  QString message_;
};

// The bytes are not a picture of the class asked to read them.
class InvalidGraphic : public PictureError {
 public:
  using PictureError::PictureError;
};

// The picture cannot do what was asked of it (resize an icon, save nothing).
class InvalidGraphicOperation : public PictureError {
 public:
  using PictureError::PictureError;
};
