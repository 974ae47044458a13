#pragma once

#include "services/picture/picture_error.h"

// A failure of the fractal decompression library or of its loading.
class EFIFError : public PictureError {
 public:
  explicit EFIFError(const QString& message, int code = 0) : PictureError(message), code_(code) {}
  int code() const { return code_; }

 private:
  int code_;
};
