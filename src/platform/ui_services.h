#pragma once

#include <QString>
#include <QStringList>
#include <optional>

class QWidget;

enum class MessageKind { Information, Warning, Error };
enum class Answer { Yes, No };
enum class ScreenCursor { Normal, HourGlass };

struct FileDialogRequest {
  QString caption;
  QString filter;  // "Play lists (*.qpl);;All files (*)"
  QString initialDirectory;
  QString defaultSuffix;  // save dialogs only
};

// Everything the windows ask of the user-interface toolkit as a whole. The
// program uses the Qt implementation; window tests use a scripted double.
// Message texts use "\r" for a line break, as the program's own texts do.
class UiServices {
 public:
  virtual ~UiServices() = default;

  // Typed message dialog: icon, standard title, one OK button.
  virtual void messageDlg(MessageKind kind, const QString& text) = 0;
  // Plain message box titled with the application title.
  virtual void showMessage(const QString& text) = 0;
  // Yes/No question: question icon, No as the default button.
  virtual Answer askYesNo(const QString& caption, const QString& question) = 0;
  // The same question after a failure, with the error icon.
  virtual Answer askYesNoAfterError(const QString& caption, const QString& question) {
    return askYesNo(caption, question);
  }
  // nullopt when cancelled.
  virtual std::optional<QString> inputBox(const QString& caption, const QString& prompt,
                                          const QString& initial) = 0;
  virtual QStringList openFileNames(const FileDialogRequest& request) = 0;
  virtual std::optional<QString> saveFileName(const FileDialogRequest& request) = 0;
  // Files opened other than through a dialog (the lines of a list file): the
  // dialogs' own choices already join the desktop's recent files.
  virtual void noteOpenedFiles(const QStringList& files) = 0;
  // Shows the window modally and returns when it is hidden again.
  virtual void showModal(QWidget* window) = 0;

  virtual QString applicationTitle() const = 0;
  virtual void setApplicationTitle(const QString& title) = 0;
  // Assignment, not a stack: setting Normal twice is harmless.
  virtual void setCursor(ScreenCursor cursor) = 0;
  virtual ScreenCursor cursor() const = 0;
  virtual void beep() = 0;
  virtual void setHintsEnabled(bool enabled) = 0;
  virtual bool hintsEnabled() const = 0;
  virtual void processMessages() = 0;
  // Ends the message loop once control returns to it (also when asked before it runs).
  virtual void terminate() = 0;
  virtual bool terminating() const = 0;
};

// "\r" line breaks of the program's texts, as a toolkit shows them.
QString displayText(const QString& programText);
