#pragma once

// The loudness of the program's sound at the sound server, from 0 (silent)
// to 1 (as played): for the outputs playing now and those made later. The
// desktop's media controls set it; the program's own windows have no volume.
double outputVolume();
void setOutputVolume(double volume);
