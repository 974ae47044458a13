#include "viewer/graphics_viewer_window.h"

TForm9::TForm9(Program& program) : Form(program, "Corvela Pro Graphics Viewer", QSize(521, 389)) {
  exposeToAccessibility();
}
