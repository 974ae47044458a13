#include "ui_double.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QEvent>
#include <QWidget>

namespace {

// Moved out rather than copied: copying an optional string here trips GCC's
// uninitialised-use warning in optimised builds.
template <class T>
T takeFront(std::deque<T>& queue) {
  T front = std::move(queue.front());
  queue.pop_front();
  return front;
}

}  // namespace

UiDouble::~UiDouble() {
  EXPECT_TRUE(answers_.empty()) << answers_.size() << " expected question(s) never asked";
  EXPECT_TRUE(inputs_.empty()) << inputs_.size() << " expected input box(es) never shown";
  EXPECT_TRUE(openFiles_.empty()) << "an expected open dialog was never shown";
  EXPECT_TRUE(saveFiles_.empty()) << "an expected save dialog was never shown";
}

QStringList UiDouble::texts() const {
  QStringList all;
  for (const Shown& box : shown_) all << box.text;
  return all;
}

void UiDouble::record(Box box, const QString& caption, const QString& text) {
  shown_.push_back({box, caption, text});
}

void UiDouble::messageDlg(MessageKind kind, const QString& text) {
  static const Box boxes[] = {Box::Information, Box::Warning, Box::Error};
  record(boxes[static_cast<int>(kind)], QString(), text);
  EXPECT_TRUE(allowMessages_) << "unexpected message: " << text.toStdString();
}

void UiDouble::showMessage(const QString& text) {
  record(Box::Plain, title_, text);
  EXPECT_TRUE(allowMessages_) << "unexpected message: " << text.toStdString();
}

Answer UiDouble::askYesNo(const QString& caption, const QString& question) {
  record(Box::Question, caption, question);
  if (answers_.empty() && answerOthers_) return answerOthers_(caption);
  if (answers_.empty()) {
    ADD_FAILURE() << "unexpected question: " << question.toStdString();
    return Answer::No;
  }
  return takeFront(answers_);
}

std::optional<QString> UiDouble::inputBox(const QString& caption, const QString& prompt,
                                          const QString&) {
  record(Box::Input, caption, prompt);
  if (inputs_.empty()) {
    ADD_FAILURE() << "unexpected input box: " << caption.toStdString();
    return std::nullopt;
  }
  return takeFront(inputs_);
}

QStringList UiDouble::openFileNames(const FileDialogRequest& request) {
  if (openFiles_.empty()) {
    ADD_FAILURE() << "unexpected open dialog: " << request.caption.toStdString();
    return {};
  }
  return takeFront(openFiles_);
}

std::optional<QString> UiDouble::saveFileName(const FileDialogRequest& request) {
  if (saveFiles_.empty()) {
    ADD_FAILURE() << "unexpected save dialog: " << request.caption.toStdString();
    return std::nullopt;
  }
  return takeFront(saveFiles_);
}

void UiDouble::showModal(QWidget* window) {
  if (modalScripts_.empty() && !everyModal_) {
    ADD_FAILURE() << "unexpected modal window: " << window->windowTitle().toStdString();
    return;
  }
  const auto script = modalScripts_.empty() ? everyModal_ : takeFront(modalScripts_);
  // A modal window is activated as it opens.
  window->show();
  QEvent activate(QEvent::WindowActivate);
  QApplication::sendEvent(window, &activate);
  script(window);
  window->hide();
}
