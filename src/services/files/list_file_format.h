#pragma once

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>
#include <stdexcept>

// A list file could not be created, written, opened or read.
class ListFileError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Play list and display list files: a signature line, then one path per line,
// every line ended by CR LF, the text in the file system's own encoding.

// Writes the file whole or not at all: an existing file is replaced only once
// the new one is completely written, so a failed save never costs the user the
// list saved before. Throws ListFileError.
void writeListFile(const QString& fileName, const QString& signature, const QStringList& paths);

// The entries of a list file: its lines after the signature line, or nullopt
// when its first line is not exactly the signature. Throws ListFileError.
std::optional<QStringList> readListFile(const QString& fileName, const QString& signature);

// The lines of a list file's bytes. A line ends at CR, and one LF straight
// after the CR goes with it; a lone LF stays in the line. Ctrl-Z ends the text.
QList<QByteArray> splitListLines(QByteArrayView content);

// The chosen name with its extension (from the last "." of the file name)
// replaced by the list extension, or the extension added when it has none.
QString withListExtension(const QString& fileName, const QString& extension);

// Finds the files a list names on a file system that tells letter case apart.
// Each folder it has to look into is read once, however many lines name it.
class LetterCaseResolver {
 public:
  // The path as it stands when it exists; otherwise the existing path that
  // matches it component by component without regard to letter case, or the
  // path unchanged when there is none.
  QString resolve(const QString& path);

 private:
  std::optional<QString> entryNamed(const QString& folder, const QString& name);

  // Per folder: each entry's real name by its lower-case name.
  QHash<QString, QHash<QString, QString>> folders_;
};
