#include "print/print_options_dialog.h"

TForm13::TForm13(Program& program) : Form(program, "Corvela Pro Graphic Print", QSize(400, 300)) {
  exposeToAccessibility();
}
