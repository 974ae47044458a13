#include "viewer/graphic_type_chooser.h"

TForm11::TForm11(Program& program) : Form(program, "Corvela Pro", QSize(300, 250)) {
  exposeToAccessibility();
}
