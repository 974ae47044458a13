#include "fake_list_window.h"

QStringList FakeLines::texts() const {
  QStringList all;
  for (const Entry& entry : entries) all << entry.line.text;
  return all;
}

bool FakeLines::append(const ListLine& line, bool ticked) {
  if (count() >= room) return false;
  entries.push_back({line, ticked});
  return true;
}

void FakeLines::clear() {
  entries.clear();
  alreadyHeld = 0;
  log_ << "list emptied";
}

void FakeLines::setVisible(bool shown) {
  visible = shown;
  log_ << (shown ? "list shown" : "list hidden");
}

void LoggingUi::processMessages() {
  UiDouble::processMessages();
  if (whileProcessing) whileProcessing();
}

void LoggingUi::messageDlg(MessageKind kind, const QString& text) {
  UiDouble::messageDlg(kind, text);
  log_ << "message " + text;
}

void LoggingUi::showMessage(const QString& text) {
  UiDouble::showMessage(text);
  log_ << "message " + text;
}

QStringList LoggingUi::openFileNames(const FileDialogRequest& request) {
  dialogs.push_back(request);
  return UiDouble::openFileNames(request);
}

std::optional<QString> LoggingUi::saveFileName(const FileDialogRequest& request) {
  dialogs.push_back(request);
  return UiDouble::saveFileName(request);
}
