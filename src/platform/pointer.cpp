#include "platform/pointer.h"

#include <QCursor>

void ScreenPointer::moveTo(QPoint place) { QCursor::setPos(place); }
