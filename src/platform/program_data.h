#pragma once

#include <QString>

// The folder of the program's data: its help pages and the demo disc. In the
// build tree they lie beside the program; installed, they are under share/,
// apart from the programs, where distributions keep data of every machine
// type. Never ends with "/".
QString programDataDirectory();
