#include "cd/reminder_dialog.h"

TForm7::TForm7(Program& program) : Form(program, "Corvela Pro CD Player", QSize(350, 200)) {
  exposeToAccessibility();
}
