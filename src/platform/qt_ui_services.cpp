#include "platform/qt_ui_services.h"

#include <QApplication>
#include <QEvent>
#include <QEventLoop>
#include <QFileDialog>
#include <QInputDialog>
#include <QMenu>
#include <QMessageBox>
#include <QPointer>
#include <QSystemTrayIcon>
#include <QTimer>
#include <QWidget>

#include "platform/artwork.h"

QString displayText(const QString& programText) {
  QString shown = programText;
  return shown.replace("\r\n", "\n").replace('\r', '\n');
}

namespace {

QWidget* activeParent() { return QApplication::activeWindow(); }

QString standardTitle(MessageKind kind) {
  switch (kind) {
    case MessageKind::Information:
      return "Information";
    case MessageKind::Warning:
      return "Warning";
    case MessageKind::Error:
      return "Error";
  }
  return {};
}

QMessageBox::Icon standardIcon(MessageKind kind) {
  switch (kind) {
    case MessageKind::Information:
      return QMessageBox::Information;
    case MessageKind::Warning:
      return QMessageBox::Warning;
    case MessageKind::Error:
      return QMessageBox::Critical;
  }
  return QMessageBox::NoIcon;
}

}  // namespace

QtUiServices::QtUiServices() { qApp->installEventFilter(this); }

QtUiServices::~QtUiServices() = default;

void QtUiServices::messageDlg(MessageKind kind, const QString& text) {
  QMessageBox box(standardIcon(kind), standardTitle(kind), displayText(text), QMessageBox::Ok,
                  activeParent());
  box.exec();
}

void QtUiServices::showMessage(const QString& text) {
  QMessageBox box(QMessageBox::NoIcon, title_, displayText(text), QMessageBox::Ok, activeParent());
  box.exec();
}

namespace {

Answer askWithIcon(QMessageBox::Icon icon, const QString& caption, const QString& question,
                   QWidget* parent) {
  QMessageBox box(icon, caption, displayText(question), QMessageBox::Yes | QMessageBox::No, parent);
  box.setDefaultButton(QMessageBox::No);
  return box.exec() == QMessageBox::Yes ? Answer::Yes : Answer::No;
}

}  // namespace

Answer QtUiServices::askYesNo(const QString& caption, const QString& question) {
  return askWithIcon(QMessageBox::Question, caption, question, activeParent());
}

Answer QtUiServices::askYesNoAfterError(const QString& caption, const QString& question) {
  return askWithIcon(QMessageBox::Critical, caption, question, activeParent());
}

std::optional<QString> QtUiServices::inputBox(const QString& caption, const QString& prompt,
                                              const QString& initial) {
  bool ok = false;
  QString text =
      QInputDialog::getText(activeParent(), caption, prompt, QLineEdit::Normal, initial, &ok);
  if (!ok) return std::nullopt;
  return text;
}

QStringList QtUiServices::openFileNames(const FileDialogRequest& request) {
  return QFileDialog::getOpenFileNames(activeParent(), request.caption, request.initialDirectory,
                                       request.filter);
}

std::optional<QString> QtUiServices::saveFileName(const FileDialogRequest& request) {
  QFileDialog dialog(activeParent(), request.caption, request.initialDirectory, request.filter);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setDefaultSuffix(request.defaultSuffix);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().first();
}

void QtUiServices::showModal(QWidget* window) {
  // A modal session of the window's own: it ends when the window hides or is destroyed.
  QPointer<QWidget> guard(window);
  window->setWindowModality(Qt::ApplicationModal);
  window->show();
  window->raise();
  window->activateWindow();
  QEventLoop loop;
  while (guard && guard->isVisible() && !terminating_)
    loop.processEvents(QEventLoop::WaitForMoreEvents);
  if (guard) guard->setWindowModality(Qt::NonModal);
}

void QtUiServices::setApplicationTitle(const QString& title) {
  title_ = title;
  // The taskbar text of every top-level window: its icon text.
  for (QWidget* window : QApplication::topLevelWidgets()) window->setWindowIconText(title);
  showInTray(title);
}

// Few desktops show the icon text: where a tray exists, the title is the
// tooltip of the program's tray icon, so the status it carries can be seen.
void QtUiServices::showInTray(const QString& title) {
  if (!tray_) {
    if (!QSystemTrayIcon::isSystemTrayAvailable()) return;
    tray_ = new QSystemTrayIcon(discPicture(64), this);
    connect(tray_, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason why) {
              if (why == QSystemTrayIcon::Trigger && !trayCommands_.empty())
                QTimer::singleShot(0, this, trayCommands_.front().run);
            });
    fillTrayMenu();
    tray_->show();
  }
  tray_->setToolTip(title);
}

void QtUiServices::offerInTray(std::vector<TrayCommand> commands) {
  trayCommands_ = std::move(commands);
  fillTrayMenu();
}

// The commands run once the menu has closed, outside its handling.
void QtUiServices::fillTrayMenu() {
  if (!tray_) return;
  trayMenu_ = std::make_unique<QMenu>();
  for (const TrayCommand& command : trayCommands_)
    connect(trayMenu_->addAction(command.caption), &QAction::triggered, this,
            [this, run = command.run] { QTimer::singleShot(0, this, run); });
  tray_->setContextMenu(trayMenu_.get());
}

void QtUiServices::setCursor(ScreenCursor cursor) {
  if (cursor == cursor_) return;
  cursor_ = cursor;
  if (cursor == ScreenCursor::HourGlass)
    QApplication::setOverrideCursor(Qt::WaitCursor);
  else
    QApplication::restoreOverrideCursor();
}

void QtUiServices::beep() { QApplication::beep(); }

void QtUiServices::processMessages() { QCoreApplication::processEvents(); }

void QtUiServices::terminate() {
  terminating_ = true;
  // Queued, so that a request made before the loop runs still ends it.
  QMetaObject::invokeMethod(qApp, &QCoreApplication::quit, Qt::QueuedConnection);
}

bool QtUiServices::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::ToolTip && !hints_) return true;
  return QObject::eventFilter(watched, event);
}
