#include "services/files/files_to_open.h"

#include <QFile>
#include <QFileInfo>
#include <algorithm>

#include "services/files/directory_listing.h"
#include "services/files/file_types.h"

namespace {

// One level only: a folder handed in is a choice of its own files, not of a tree.
QStringList filesInFolder(const QString& folder, const FileTypes& types) {
  const QByteArray directory = QFile::encodeName(folder);
  const std::optional<dev_t> device = deviceOf(directory);
  if (!device) return {};
  std::optional<DirectoryListing> listing = listDirectory(directory, *device, types);
  if (!listing) return {};
  std::sort(listing->files.begin(), listing->files.end());
  QStringList files;
  for (const QByteArray& name : listing->files) files << QFile::decodeName(directory + "/" + name);
  return files;
}

}  // namespace

QStringList filesToOpen(const QStringList& paths, const FileTypes& types) {
  QStringList files;
  for (const QString& path : paths) {
    const QFileInfo info(path);
    if (info.isDir())
      files << filesInFolder(info.canonicalFilePath(), types);
    else if (info.isFile() && types.accepts(QFile::encodeName(info.fileName())))
      files << info.absoluteFilePath();
  }
  return files;
}
