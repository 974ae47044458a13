#include "cd/standard_cd_player_window.h"

TForm8::TForm8(Program& program) : Form(program, "Corvela Pro", QSize(300, 80)) {
  exposeToAccessibility();
}
