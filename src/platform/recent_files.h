#pragma once

#include <QString>
#include <QStringList>

// The desktop's list of recently used files, which file managers and the
// file dialogs of every program offer again.
class RecentFiles {
 public:
  virtual ~RecentFiles() = default;
  virtual void add(const QStringList& files) = 0;
};

// The list in recently-used.xbel in the user's data folder, shared with other
// programs: their entries are kept as they are, a file already listed is
// listed again with the time of this use.
class XbelRecentFiles : public RecentFiles {
 public:
  explicit XbelRecentFiles(QString path = defaultPath());
  static QString defaultPath();
  void add(const QStringList& files) override;

 private:
  QString path_;
};
