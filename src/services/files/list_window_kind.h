#pragma once

#include <QString>
#include <vector>

#include "services/files/file_types.h"

// When a user's abort resets the window: before the "aborted" message or after it.
enum class AbortOrder { ControlsThenMessage, MessageThenControls };

// A type key that stands for several extensions ("ALL", "MPEG").
struct TypeSet {
  QString key;
  std::vector<QByteArray> extensions;
};

// Everything in which the two list windows' searches and list files differ.
// Texts with "%1" take the list file's full path.
struct ListWindowKind {
  std::vector<TypeSet> typeSets;
  AbortOrder abortOrder;
  // What the window opens when files come from outside its dialog (the
  // desktop, a drop): every kind it can play or show.
  std::vector<QByteArray> openTypes;

  QString signature;
  QString extension;  // forced onto saved names, upper case: ".QPL"
  QString saveFilter;
  QString saveInitialName;
  bool saveRemembersName;  // the save dialog offers the name last chosen in it
  QString loadFilter;
  QString loadInitialName;

  QString savedText;
  QString saveFailedText;
  QString wrongFileText;
  QString loadFailedText;

  // A key that is not one of the type sets stands for its own extension.
  FileTypes typesFor(const QString& key) const;
};

const ListWindowKind& mediaPlayerLists();
const ListWindowKind& graphicsViewerLists();
