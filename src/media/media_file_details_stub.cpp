// Stands in for the list tools' file-details box until the two are merged;
// the list tools replace this file.
#include "media/media_player_window.h"

void TForm4::FileDetailsFromFullScreen() {}
