#pragma once

#include <QMainWindow>
#include <memory>

#include "platform/help_viewer.h"
#include "windows/common/help_index.h"

class QLineEdit;
class QListWidget;
class QTextBrowser;

// The program's help window: the pages on the right; on the left a keyword
// index with a search field that moves to the first keyword typed.
class HelpWindow : public QMainWindow, public HelpViewer {
  Q_OBJECT
 public:
  HelpWindow();

  void showContents(const QString& helpFolder) override;
  void showKeywordSearch(const QString& helpFolder) override;

  QTextBrowser* page() const { return page_; }
  QLineEdit* search() const { return search_; }
  QListWidget* keywords() const { return keywords_; }

 private:
  void open(const QString& helpFolder);
  void findTyped(const QString& typed);
  void showKeyword(const QString& keyword);

  QString folder_;
  std::unique_ptr<HelpIndex> index_;
  QLineEdit* search_;
  QListWidget* keywords_;
  QTextBrowser* page_;
};
