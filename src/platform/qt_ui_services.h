#pragma once

#include <QObject>

#include "platform/dialog_folders.h"
#include "platform/recent_files.h"
#include "platform/ui_services.h"

class QSystemTrayIcon;

// UiServices on Qt Widgets: real dialogs, the real cursor and event loop.
class QtUiServices : public QObject, public UiServices {
  Q_OBJECT
 public:
  QtUiServices();

  void messageDlg(MessageKind kind, const QString& text) override;
  void showMessage(const QString& text) override;
  Answer askYesNo(const QString& caption, const QString& question) override;
  Answer askYesNoAfterError(const QString& caption, const QString& question) override;
  std::optional<QString> inputBox(const QString& caption, const QString& prompt,
                                  const QString& initial) override;
  QStringList openFileNames(const FileDialogRequest& request) override;
  std::optional<QString> saveFileName(const FileDialogRequest& request) override;
  void showModal(QWidget* window) override;

  QString applicationTitle() const override { return title_; }
  void setApplicationTitle(const QString& title) override;
  void setCursor(ScreenCursor cursor) override;
  ScreenCursor cursor() const override { return cursor_; }
  void beep() override;
  void setHintsEnabled(bool enabled) override { hints_ = enabled; }
  bool hintsEnabled() const override { return hints_; }
  void processMessages() override;
  void terminate() override;
  bool terminating() const override { return terminating_; }

  // The tray icon that shows the title; none where the desktop has no tray.
  const QSystemTrayIcon* trayIcon() const { return tray_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void showInTray(const QString& title);

  QString title_;
  QSystemTrayIcon* tray_ = nullptr;
  ScreenCursor cursor_ = ScreenCursor::Normal;
  bool hints_ = true;
  bool terminating_ = false;
  DialogFolders folders_;
  XbelRecentFiles recent_;
};
