#pragma once

#include <QByteArray>

// The clipboard viewer's program in its keeping mode: it serves the picture
// (PNG bytes) that a program left on the clipboard as it ended, where no
// clipboard manager took it, and ends once another program takes the
// clipboard. Called before the toolkit starts, since on Wayland the way onto
// the clipboard decides which display the toolkit uses. Returns the program's
// exit code: 1 when there was nothing to keep or the desktop refused it.
int KeepClipboard(const QByteArray& png, int argc, char* argv[]);
