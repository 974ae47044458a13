#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <vector>

// The files one type key accepts, by extension: the part of a name from its
// last "." on, compared without regard to letter case. A name without "."
// has no extension and is never accepted.
class FileTypes {
 public:
  // Extensions with their dot, in lower case: ".mp3".
  explicit FileTypes(std::vector<QByteArray> extensions);

  bool accepts(QByteArrayView fileName) const;

 private:
  std::vector<QByteArray> extensions_;
};
