#pragma once

#include <QStringList>
#include <deque>
#include <functional>
#include <optional>
#include <vector>

#include "platform/ui_services.h"

// A scripted UiServices: it records every box (kind, caption, text), answers
// questions, input boxes and file dialogs from queues, and fails the test on a
// box nobody expected.
class UiDouble : public UiServices {
 public:
  enum class Box { Information, Warning, Error, Plain, Question, Input };
  struct Shown {
    Box box;
    QString caption;
    QString text;
  };

  ~UiDouble() override;

  // What the next boxes will be answered with, in order.
  void expectQuestion(Answer answer) { answers_.push_back(answer); }
  void expectInput(std::optional<QString> text) { inputs_.push_back(std::move(text)); }
  void expectOpenFiles(QStringList files) { openFiles_.push_back(std::move(files)); }
  void expectSaveFile(std::optional<QString> file) { saveFiles_.push_back(std::move(file)); }
  // Message boxes are not answered, but a test that expects none can say so.
  void allowMessages(bool allow = true) { allowMessages_ = allow; }
  // Answers the questions nobody queued an answer for (a random walk draws
  // its answers as the questions come), instead of failing the test.
  void answerOthersWith(std::function<Answer(const QString& caption)> answer) {
    answerOthers_ = std::move(answer);
  }
  // One answer for every question nobody queued an answer for.
  void answerUnqueued(std::optional<Answer> answer) {
    answerOthers_ = nullptr;
    if (answer) answerOthers_ = [answer](const QString&) { return *answer; };
  }
  // Run each time pending events are processed, as a person acting meanwhile.
  void onProcessMessages(std::function<void()> meanwhile) { meanwhile_ = std::move(meanwhile); }
  // Run while a window is "shown modally"; it should hide the window.
  void onModal(std::function<void(QWidget*)> script) { modalScripts_.push_back(std::move(script)); }
  // What runs in every modal window that no script is queued for: a person
  // acting at random.
  void onEveryModal(std::function<void(QWidget*)> script) { everyModal_ = std::move(script); }

  const std::vector<Shown>& shown() const { return shown_; }
  QStringList texts() const;
  int beeps() const { return beeps_; }
  int processed() const { return processed_; }
  void clear() {
    shown_.clear();
    beeps_ = 0;
  }

  void messageDlg(MessageKind kind, const QString& text) override;
  void showMessage(const QString& text) override;
  Answer askYesNo(const QString& caption, const QString& question) override;
  std::optional<QString> inputBox(const QString& caption, const QString& prompt,
                                  const QString& initial) override;
  QStringList openFileNames(const FileDialogRequest& request) override;
  void noteOpenedFiles(const QStringList& files) override { openedFiles_ << files; }
  const QStringList& openedFiles() const { return openedFiles_; }
  std::optional<QString> saveFileName(const FileDialogRequest& request) override;
  void showModal(QWidget* window) override;

  QString applicationTitle() const override { return title_; }
  void setApplicationTitle(const QString& title) override { title_ = title; }
  void setCursor(ScreenCursor cursor) override { cursor_ = cursor; }
  ScreenCursor cursor() const override { return cursor_; }
  void beep() override { ++beeps_; }
  void setHintsEnabled(bool enabled) override { hints_ = enabled; }
  bool hintsEnabled() const override { return hints_; }
  void processMessages() override {
    ++processed_;
    if (meanwhile_) meanwhile_();
  }
  void terminate() override { terminating_ = true; }
  bool terminating() const override { return terminating_; }

 private:
  void record(Box box, const QString& caption, const QString& text);

  std::vector<Shown> shown_;
  std::deque<Answer> answers_;
  std::deque<std::optional<QString>> inputs_;
  std::deque<QStringList> openFiles_;
  std::deque<std::optional<QString>> saveFiles_;
  std::deque<std::function<void(QWidget*)>> modalScripts_;
  std::function<void(QWidget*)> everyModal_;
  std::function<Answer(const QString&)> answerOthers_;
  std::function<void()> meanwhile_;
  bool allowMessages_ = true;
  QString title_;
  ScreenCursor cursor_ = ScreenCursor::Normal;
  bool hints_ = true;
  bool terminating_ = false;
  int beeps_ = 0;
  int processed_ = 0;
  QStringList openedFiles_;
};

// Readable QStrings in test failure messages.
#include <ostream>
inline void PrintTo(const QString& text, std::ostream* out) {
  *out << '"' << text.toStdString() << '"';
}
