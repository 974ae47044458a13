#include "app/windows/system_status_window.h"

TForm2::TForm2(Program& program) : Form(program, "Corvela Pro System Status", QSize(300, 200)) {
  exposeToAccessibility();
}
