#pragma once

#include <QObject>
#include <functional>
#include <memory>
#include <vector>

#include "platform/ui_services.h"

class QMenu;
class QSystemTrayIcon;

// A command the tray icon offers, run from the event loop after the click.
struct TrayCommand {
  QString caption;
  std::function<void()> run;
};

// UiServices on Qt Widgets: real dialogs, the real cursor and event loop.
class QtUiServices : public QObject, public UiServices {
  Q_OBJECT
 public:
  QtUiServices();
  ~QtUiServices() override;

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
  // A click on the tray icon runs the first command; its menu offers them all.
  void offerInTray(std::vector<TrayCommand> commands);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void showInTray(const QString& title);
  void fillTrayMenu();

  QString title_;
  QSystemTrayIcon* tray_ = nullptr;
  std::unique_ptr<QMenu> trayMenu_;
  std::vector<TrayCommand> trayCommands_;
  ScreenCursor cursor_ = ScreenCursor::Normal;
  bool hints_ = true;
  bool terminating_ = false;
};
