// Feeds arbitrary files to the play list reader, and the paths it finds to
// the letter-case resolver that looks them up on disc.
#include <QFile>
#include <QTemporaryDir>

#include "services/files/list_file_format.h"
#include "services/files/list_window_kind.h"

namespace {

QString listPath() {
  static QTemporaryDir folder;
  return folder.filePath("fuzz.lst");
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  listPath();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  QFile file(listPath());
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) return 0;
  file.write(reinterpret_cast<const char*>(data), qint64(size));
  file.close();
  try {
    const std::optional<QStringList> entries =
        readListFile(listPath(), mediaPlayerLists().signature);
    LetterCaseResolver resolver;
    if (entries)
      for (const QString& entry : *entries) resolver.resolve(entry);
  } catch (const ListFileError&) {
  }
  return 0;
}
