#pragma once

#include <QPixmap>

// The program's own pictures, drawn rather than shipped: a compact disc with
// the program's name, used as the window icon, the About picture and the CD
// player's no-disc picture.
QPixmap discPicture(int size);
