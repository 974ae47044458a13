#include "windows/common/help_window.h"

#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

HelpWindow::HelpWindow()
    : search_(new QLineEdit), keywords_(new QListWidget), page_(new QTextBrowser) {
  setWindowTitle("Corvela Pro Help");
  resize(820, 560);
  search_->setAccessibleName("Keyword search");
  keywords_->setAccessibleName("Keywords");
  page_->setAccessibleName("Help page");
  page_->setOpenExternalLinks(true);

  auto* index = new QVBoxLayout;
  index->addWidget(new QLabel("Type the first letters of a keyword:"));
  index->addWidget(search_);
  index->addWidget(keywords_);
  auto* area = new QWidget;
  setCentralWidget(area);
  auto* whole = new QHBoxLayout(area);
  whole->addLayout(index, 1);
  whole->addWidget(page_, 3);

  connect(search_, &QLineEdit::textEdited, this, &HelpWindow::findTyped);
  connect(search_, &QLineEdit::returnPressed, this, [this] {
    if (keywords_->currentItem()) showKeyword(keywords_->currentItem()->text());
  });
  connect(keywords_, &QListWidget::itemActivated, this,
          [this](QListWidgetItem* item) { showKeyword(item->text()); });
  connect(keywords_, &QListWidget::itemClicked, this,
          [this](QListWidgetItem* item) { showKeyword(item->text()); });
}

void HelpWindow::open(const QString& helpFolder) {
  // Absolute paths: the pages open whatever the current directory is.
  const QString folder = QDir(helpFolder).absolutePath();
  if (folder != folder_ || !index_) {
    folder_ = folder;
    index_ = std::make_unique<HelpIndex>(folder_);
    keywords_->clear();
    keywords_->addItems(index_->keywords());
  }
  page_->setSource(QUrl::fromLocalFile(folder_ + "/index.html"));
  show();
  raise();
  activateWindow();
}

void HelpWindow::showContents(const QString& helpFolder) { open(helpFolder); }

void HelpWindow::showKeywordSearch(const QString& helpFolder) {
  open(helpFolder);
  search_->clear();
  search_->setFocus();
}

void HelpWindow::findTyped(const QString& typed) {
  const QString keyword = index_ ? index_->firstMatch(typed) : QString();
  const QList<QListWidgetItem*> items = keywords_->findItems(keyword, Qt::MatchExactly);
  if (!keyword.isEmpty() && !items.isEmpty()) keywords_->setCurrentItem(items.first());
}

void HelpWindow::showKeyword(const QString& keyword) {
  const QStringList pages = index_ ? index_->pagesFor(keyword) : QStringList();
  if (!pages.isEmpty()) page_->setSource(QUrl::fromLocalFile(pages.first()));
}
