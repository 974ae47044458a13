#pragma once

#include <QObject>
#include <functional>

// The loudness of the program's sound at the sound server, from 0 (silent)
// to 1 (as played): for the outputs playing now and those made later. The
// desktop's media controls set it; the program's own windows have no volume.
double outputVolume();
void setOutputVolume(double volume);

// Sound that reaches the server by a way of its own (the MPEG library's
// output) is told of every change, on the thread that made it, until context
// is destroyed.
void followOutputVolume(QObject* context, std::function<void(double)> follow);
