#include "print/print_preview_window.h"

TForm14::TForm14(Program& program) : Form(program, "Corvela Pro Print Preview", QSize(342, 485)) {
  exposeToAccessibility();
}
