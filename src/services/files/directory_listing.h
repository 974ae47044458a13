#pragma once

#include <sys/types.h>

#include <QByteArray>
#include <optional>
#include <vector>

class FileTypes;

// One directory's entries as a drive search sees them, in the order the file
// system returns them. Hidden entries (names starting with ".") are left out;
// so are symbolic links to directories, which are never followed.
struct DirectoryListing {
  std::vector<QByteArray> files;  // regular files of the accepted types
  std::vector<QByteArray> subdirectories;
};

// The device (file system) a directory lives on; nullopt when it cannot be read.
std::optional<dev_t> deviceOf(const QByteArray& directory);

// Lists a directory of the given file system; nullopt when it cannot be read
// or lies on another file system.
std::optional<DirectoryListing> listDirectory(const QByteArray& directory, dev_t device,
                                              const FileTypes& types);
