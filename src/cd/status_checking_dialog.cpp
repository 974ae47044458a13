#include "cd/status_checking_dialog.h"

TForm6::TForm6(Program& program) : Form(program, "Corvela Pro CD Status Checking", QSize(400, 300)) {
  exposeToAccessibility();
}
