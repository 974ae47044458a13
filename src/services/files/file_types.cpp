#include "services/files/file_types.h"

FileTypes::FileTypes(std::vector<QByteArray> extensions) : extensions_(std::move(extensions)) {}

bool FileTypes::accepts(QByteArrayView fileName) const {
  const qsizetype dot = fileName.lastIndexOf('.');
  if (dot < 0) return false;
  const QByteArrayView extension = fileName.sliced(dot);
  for (const QByteArray& accepted : extensions_)
    if (extension.compare(accepted, Qt::CaseInsensitive) == 0) return true;
  return false;
}
