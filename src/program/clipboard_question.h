#pragma once

struct ProgramState;
class UiServices;

// Asked as any main window closes once the graphics viewer has put a picture
// on the clipboard: Yes empties the clipboard, No leaves it; the window goes on
// closing either way.
void AskToEmptyClipboard(const ProgramState& state, UiServices& ui);
