#include "program/clipboard_question.h"

#include <QClipboard>
#include <QGuiApplication>

#include "platform/ui_services.h"
#include "program/program_state.h"

void AskToEmptyClipboard(const ProgramState& state, UiServices& ui) {
  if (state.ClipboardDataPresent &&
      ui.askYesNo("Clipboard Data Present",
                  "Do you wish to delete the contents of the Clipboard?") == Answer::Yes)
    QGuiApplication::clipboard()->clear();
}
