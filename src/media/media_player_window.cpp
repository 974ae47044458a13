#include "media/media_player_window.h"

TForm4::TForm4(Program& program) : Form(program, "Corvela Pro AVI-MID-MPEG-WAV Player", QSize(503, 367)) {
  exposeToAccessibility();
}
