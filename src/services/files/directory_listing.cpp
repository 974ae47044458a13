#include "services/files/directory_listing.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <memory>

#include "services/files/file_types.h"

namespace {

enum class EntryType { File, Directory, Other };

EntryType typeOfMode(mode_t mode) {
  if (S_ISREG(mode)) return EntryType::File;
  if (S_ISDIR(mode)) return EntryType::Directory;
  return EntryType::Other;
}

// The entry's type without following it, except that a link to a regular file
// counts as that file. Links to directories are not followed, so no link loop
// can trap a search.
EntryType entryType(int directoryFd, const dirent& entry) {
  if (entry.d_type == DT_REG) return EntryType::File;
  if (entry.d_type == DT_DIR) return EntryType::Directory;
  if (entry.d_type != DT_LNK && entry.d_type != DT_UNKNOWN) return EntryType::Other;
  struct stat own;
  if (fstatat(directoryFd, entry.d_name, &own, AT_SYMLINK_NOFOLLOW) != 0) return EntryType::Other;
  if (!S_ISLNK(own.st_mode)) return typeOfMode(own.st_mode);
  struct stat target;
  if (fstatat(directoryFd, entry.d_name, &target, 0) != 0) return EntryType::Other;
  return S_ISREG(target.st_mode) ? EntryType::File : EntryType::Other;
}

struct DirCloser {
  void operator()(DIR* directory) const { closedir(directory); }
};
using DirHandle = std::unique_ptr<DIR, DirCloser>;

DirHandle openOnDevice(const QByteArray& directory, dev_t device) {
  const int fd = open(directory.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
  if (fd < 0) return nullptr;
  struct stat own;
  if (fstat(fd, &own) != 0 || own.st_dev != device) {
    close(fd);
    return nullptr;
  }
  DirHandle handle(fdopendir(fd));
  if (!handle) close(fd);
  return handle;
}

}  // namespace

std::optional<dev_t> deviceOf(const QByteArray& directory) {
  struct stat own;
  if (stat(directory.constData(), &own) != 0 || !S_ISDIR(own.st_mode)) return std::nullopt;
  return own.st_dev;
}

std::optional<DirectoryListing> listDirectory(const QByteArray& directory, dev_t device,
                                              const FileTypes& types) {
  DirHandle handle = openOnDevice(directory, device);
  if (!handle) return std::nullopt;
  const int fd = dirfd(handle.get());
  DirectoryListing listing;
  while (const dirent* entry = readdir(handle.get())) {
    if (entry->d_name[0] == '.') continue;
    switch (entryType(fd, *entry)) {
      case EntryType::File:
        if (types.accepts(entry->d_name)) listing.files.emplace_back(entry->d_name);
        break;
      case EntryType::Directory:
        listing.subdirectories.emplace_back(entry->d_name);
        break;
      case EntryType::Other:
        break;
    }
  }
  return listing;
}
