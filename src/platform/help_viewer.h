#pragma once

#include <QString>

// Shows the program's help: its contents page, or its keyword index ready for
// a search. The help is a folder of HTML pages.
class HelpViewer {
 public:
  virtual ~HelpViewer() = default;
  virtual void showContents(const QString& helpFolder) = 0;
  virtual void showKeywordSearch(const QString& helpFolder) = 0;
};
