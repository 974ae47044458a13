// The print entry from the picture. The printing work fills this in: the
// question when sound is playing, then the print options.
#include "viewer/graphics_viewer_window.h"

void TForm9::PrintRequest() {}
