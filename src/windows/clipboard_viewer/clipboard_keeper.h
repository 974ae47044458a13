#pragma once

#include <QByteArray>

// The clipboard viewer's program in its keeping mode: it serves the picture
// (PNG bytes) that a program left on the clipboard as it ended, where no
// clipboard manager took it, and ends once another program takes the
// clipboard. Returns the program's exit code: 1 when there was nothing to keep.
int KeepClipboard(const QByteArray& png);
