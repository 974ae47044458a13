#include "cd/single_track_dialog.h"

TForm5::TForm5(Program& program) : Form(program, "Corvela Pro", QSize(250, 120)) {
  exposeToAccessibility();
}
