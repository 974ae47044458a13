#pragma once

#include <QString>

class GraphicFormats;

// Called once at start-up: when the decompression library loads, fractal
// image files join the picture table as "fif"; without it they stay unknown.
// An empty library name is the usual one.
bool RegisterFifFormat(GraphicFormats& formats, const QString& library = QString());
// At program end: the format leaves the table and the library is let go.
void UnregisterFifFormat(GraphicFormats& formats);
