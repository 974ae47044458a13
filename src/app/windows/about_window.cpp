#include "app/windows/about_window.h"

TForm3::TForm3(Program& program) : Form(program, "About Corvela Pro", QSize(300, 200)) {
  exposeToAccessibility();
}
