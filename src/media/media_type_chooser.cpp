#include "media/media_type_chooser.h"

TForm10::TForm10(Program& program) : Form(program, "Corvela Pro", QSize(300, 250)) {
  exposeToAccessibility();
}
