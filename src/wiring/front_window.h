#pragma once

class Form;
class Forms;

// The main window a person sees: the media player or the graphics viewer when
// one of them is showing, else the CD player.
Form& frontWindow(Forms& forms);

// Back from the taskbar, on top and active.
void bringToFront(Form& window);
